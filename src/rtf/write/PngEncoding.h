#pragma once

#include <QByteArray>

class QImage;

// The image as a PNG file: 8 bits a channel, RGB, or RGBA when the image has an alpha channel.
// It uses no image plugin, no font and no lock that another thread can hold (only the
// compressor and the image's own pixels), so a process forked from the window's, which has only
// the thread that forked, can run it: the recovery copy's writer is such a process.
QByteArray pngFromImage(const QImage &image);
