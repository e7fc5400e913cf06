#pragma once

class RichTextBox;

// The editor facade: named operations over the editing area. It keeps no copy of the document;
// every operation reads or writes the control at the moment it is called.
class mTxtHelper
{
public:
    void SetEditor(RichTextBox *vNewValue) { Editor = vNewValue; }

    // The bound editing area, borrowed from the window that owns it.
    RichTextBox *Editor = nullptr;
};
