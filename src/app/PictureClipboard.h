#pragma once

#include "platform/Pictures.h"

#include <functional>

// The clipboard formats that PutPictureOnClipboard is given: 2 the bitmap format, 0 whatever
// format the clipboard chooses for the picture.
inline constexpr int vbCFBitmap = 2;

// How one attempt puts a picture on the clipboard; throws Failure when the clipboard is busy.
using PutPictureAttempt = std::function<void(const StdPicture &picture, int format)>;

// Puts a picture on the system clipboard, replacing what it held, so that a paste inserts the
// picture. The clipboard may be busy: up to 1000 attempts, one right after another, stopping at
// the first that works; a failed attempt is not reported.
void PutPictureOnClipboard(const StdPicture &picture, int format, const PutPictureAttempt &attempt = {});
