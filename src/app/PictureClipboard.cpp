#include "app/PictureClipboard.h"

#include "platform/richtextbox/Clipboard.h"

namespace {

constexpr int kMostAttempts = 1000;

// Either format gives the same here: the picture, with its file's own bytes beside it.
void putOnSystemClipboard(const StdPicture &picture, int /*format*/)
{
    Clipboard::SetPicture(picture.Image, picture.FileData);
}

} // namespace

void PutPictureOnClipboard(const StdPicture &picture, int format, const PutPictureAttempt &attempt)
{
    const PutPictureAttempt &put = attempt ? attempt : PutPictureAttempt(putOnSystemClipboard);
    for (int attempts = 1; attempts <= kMostAttempts; ++attempts) {
        try {
            put(picture, format);
            return;
        } catch (const std::exception &) {
            // busy: try again at once
        }
    }
}
