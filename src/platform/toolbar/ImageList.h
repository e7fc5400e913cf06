#pragma once

#include <QIcon>
#include <QList>

// A list of pictures addressed by their 1-based position, each drawn at 16 by 16 pixels and at
// 32 by 32 for high-DPI screens.
class ImageList
{
public:
    int ImageWidth = 16;
    int ImageHeight = 16;

    void Add(const QIcon &picture) { m_images.append(picture); }
    int Count() const { return int(m_images.size()); }
    // Throws Failure for a position outside 1 to Count().
    QIcon ListImages(int index) const;

private:
    QList<QIcon> m_images;
};

// The nine toolbar pictures, in their list order: two sheets (Copy), a blank sheet (New), a
// clipboard (Paste), green arrows curving right (Redo) and left (Undo), scissors (Cut), an open
// folder (Open), a printer (Print) and a floppy disk (Save).
ImageList toolbarImageList();
