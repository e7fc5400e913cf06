#pragma once

#include "rtf/lists/RtfListItems.h"
#include "rtf/lists/RtfListNumbering.h"
#include "rtf/read/RtfListMarkerPlacing.h"
#include "rtf/read/RtfStyleLists.h"

#include <QString>
#include <QTextDocument>

#include <cstddef>
#include <vector>

// The older numbering (\pn) of paragraphs, as read; a paragraph refers to one by index.
struct RtfParagraphNumbering
{
    int level = 0;                  // \pnlvlN: 1 to 9; 0 for \pnlvlbody and \pnlvlblt
    bool bullet = false;
    bool continuation = false;      // \pnlvlcont: no number
    int format = RtfListNumbering::Decimal;
    int start = 1;
    int font = -1;
    QString before, after;          // \pntxtb, \pntxta
};

// The marker of the paragraph being read: the one the file wrote for it, or the one its list
// level put in as text.
struct RtfParagraphMarker
{
    RtfStoredMarker stored;
    bool written = false;      // the file wrote this paragraph's marker itself
    bool checked = false;      // the paragraph's text has begun
    std::size_t depth = 0;     // the stack's size inside the \listtext group
};

// What the reader knows of lists as it reads: the file's list table, its paragraph styles'
// lists and older numbering, the lists their paragraphs joined, and the marker of the
// paragraph being read.
struct RtfListReading
{
    explicit RtfListReading(QTextDocument &document) : items(document), placing(items, document.indentWidth()) {}
    RtfListReading(const RtfListReading &) = delete;   // its placing refers to its items
    RtfListReading &operator=(const RtfListReading &) = delete;

    RtfListNumbering numbering;
    RtfStyleLists styles;
    bool inOverride = false;   // in \listoverridetable
    std::vector<RtfParagraphNumbering> paragraphNumberings;
    bool numberingTextAfter = false;   // \pntxta rather than \pntxtb
    RtfListItems items;
    RtfListMarkerPlacing placing;
    RtfParagraphMarker marker;
};
