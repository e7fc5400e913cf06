#pragma once

#include "rtf/read/RtfReaderState.h"

#include <QHash>

#include <cstdint>

// The lists of the file's paragraph styles (\ls and \ilvl of a style in \stylesheet): Word
// numbers a paragraph that names only its style (\s36) as its style's list says, and so do
// other readers, unless the paragraph names a list of its own.
class RtfStyleLists
{
public:
    // No file has more styles than this; one that claims to gets no more memory for them.
    static constexpr qsizetype maxStyles = 4096;

    // The style sheet's words for the style being read.
    void beginParagraphStyle(int number);
    void beginOtherStyle();   // \cs, \ds, \ts: its list, if any, numbers no paragraph
    void setList(int list);
    void setListLevel(int level);
    void setBasedOn(int style);
    // The style's group has ended: what it said is known.
    void endStyle();

    // A paragraph naming its style: the style's list, where it has one (its own, or that of
    // the style it is based on), unless the paragraph already named one itself.
    void applyTo(RtfParaProps &para, int style) const;

private:
    struct Style
    {
        int list = -1;   // -1: the style names no list
        std::uint8_t listLevel = 0;
        int basedOn = -1;
    };

    QHash<int, Style> m_styles;
    Style m_reading;
    int m_number = 0;   // a style without \s is style 0, the normal one
    bool m_paragraphStyle = true;
};
