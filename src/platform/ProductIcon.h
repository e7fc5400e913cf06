#pragma once

#include <QIcon>
#include <QImage>
#include <QList>

// The sizes, in pixels, at which the product icon is drawn: those that window managers, task
// bars and desktop menus ask for.
QList<int> productIconSizes();

// The product icon on a transparent square of size pixels: a page of writing with a bold "C"
// arc across its lower left corner. Needs no application object, so build tools can call it.
QImage drawProductIcon(int size);

// The product's icon, at every size a window manager or desktop menu may ask for.
QIcon productIcon();
