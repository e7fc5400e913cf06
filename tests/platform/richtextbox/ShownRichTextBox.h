#pragma once

#include "platform/richtextbox/RichTextBox.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <QtTest/QTest>

// An editing area in a shown window, beside a line edit that holds the focus at the start, so
// that a test can see the focus move.
struct ShownRichTextBox
{
    QWidget window;
    QLineEdit elsewhere{&window};
    RichTextBox box{&window};

    explicit ShownRichTextBox(QSize size = {400, 300})
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(&elsewhere);
        layout->addWidget(&box);
        window.show();
        box.resize(size);
        window.activateWindow();
        (void)QTest::qWaitForWindowExposed(&window);
        elsewhere.setFocus();
    }

    bool boxHasFocus() const { return window.focusWidget() == &box; }
};
