#pragma once

#include "platform/Pictures.h"

// An invisible holder of one picture, used as a holding place while a picture is on its way to
// the clipboard. Position and size are kept in twips, as designed.
class PictureBox
{
public:
    StdPicture Picture;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Visible = false;
};
