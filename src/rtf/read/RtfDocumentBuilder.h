#pragma once

#include "rtf/KeptRtfNumbers.h"
#include "rtf/OriginalPicture.h"

#include <QImage>
#include <QSizeF>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

#include <cstdint>
#include <functional>
#include <vector>

class QTextDocument;
class QTextTable;
class QTextTableCell;
class QTextTableFormat;

// What was appended while a table cell was read, in order: it is written into the cell once
// the table's grid is known.
struct RtfRecordedItem
{
    enum class Kind : std::uint8_t { Text, Picture, Paragraph, CellEnd, Group, Table };
    Kind kind = Kind::Text;
    QTextCharFormat charFormat;
    QTextBlockFormat blockFormat;   // a paragraph's or a cell's last paragraph's
    QString text;
    QByteArray group;               // a kept footnote's or comment's RTF
    QImage image;
    QSizeF size;
    OriginalPicture original;
    int table = -1;                 // a nested table, by the table builder's number
};
using RtfRecording = std::vector<RtfRecordedItem>;

// Writes what the reader found into a new document through one cursor. Text of one format is
// gathered and inserted in one call, since a cursor insert per character is what makes big
// files slow.
class RtfDocumentBuilder
{
public:
    explicit RtfDocumentBuilder(QTextDocument &document);
    ~RtfDocumentBuilder();

    // The format of the text appended after this; changing it ends the current run.
    void setCharFormat(const QTextCharFormat &format);
    void appendText(QStringView text) { m_run.append(text); }
    void appendChar(QChar ch) { m_run.append(ch); }
    QString &run() { return m_run; }

    // A picture: the image drawn for it at `displaySize`, and its original data, kept beside
    // the image under the same name for saving. Pictures may share one image.
    void appendPicture(const QImage &image, QSizeF displaySize, const OriginalPicture &original);

    // Gives the current paragraph its format and starts the next.
    void endParagraph(const QTextBlockFormat &format);
    // Gives the last paragraph its format; nothing may be appended afterwards.
    void finish(const QTextBlockFormat &format);

    // Keeps `group` (a footnote's or a comment's own RTF) with the character before the
    // current position, or with the next character when the paragraph has none yet.
    // `tables` says what the group's font and colour numbers mean.
    // `withNext`: the group goes with the next character, as at a paragraph's start, rather
    // than with the one before it.
    void keepAnchoredGroup(const QByteArray &group, const KeptRtfTables &tables, bool withNext = false);
    // The groups that went with the character at `position` go with the character before it,
    // to be written after it: the same place between the two, for groups kept right after a
    // list marker that stays text, as they are read again from the file Save As writes.
    void keepGroupsWithCharacterBefore(int position);

    // Where the next character goes, and the text that was appended from `from` on: a list
    // paragraph's written marker, which is no part of the text once its paragraph is an item
    // of a list that draws it. While recording, a place is a number of recorded items, so a
    // place holds only until the recording changes.
    int position();
    QString textFrom(int from);
    void removeFrom(int from, int to);

    // The last paragraph of a table cell ends.
    void endCell(const QTextBlockFormat &format);

    // While a recording is set, what is appended goes into it instead of the document.
    void setRecording(RtfRecording *recording);
    void recordTable(int table);
    // Appends what was recorded; `insertTable` writes a nested table where the recording has one.
    void replay(const RtfRecording &items, const std::function<void(int)> &insertTable);
    // A table at the current position: right after the previous paragraph when the current one
    // is still empty, as the table then follows that paragraph in the file.
    QTextTable *insertTable(int rows, int columns, const QTextTableFormat &format);
    void beginCell(const QTextTableCell &cell);
    void continueAfter(const QTextTable &table);
    // The paragraph after the table just written is the seam to the next table of the same
    // long table.
    void continueTable();

    // Whether anything was appended since the last paragraph began.
    bool paragraphIsEmpty() const { return m_paragraphEmpty && m_run.isEmpty(); }
    // a table has been read: what follows it is put in the document later
    bool hasRecorded() const { return m_hasRecorded; }

private:
    void flush();
    void keepEmptyParagraphFormat();
    bool keepCellMarkFormat();
    bool recordEnd(RtfRecordedItem::Kind kind, const QTextBlockFormat &format);
    void closeParagraph(const QTextBlockFormat &format);
    void anchorGroups(int position, int property, const QByteArray &groups);
    void anchorGroupsAfter();

    QTextDocument &m_document;
    QTextCursor m_cursor;
    QTextCharFormat m_format;
    QString m_run;
    int m_imageCount = 0;
    bool m_paragraphEmpty = true;
    bool m_finished = false;
    QByteArray m_pendingGroups;   // for the next character
    QByteArray m_groupsAfter;     // for the character before the current position
    KeptRtfTables m_groupTables;  // the file's tables, as the groups above see them
    int m_anchors = 0;
    RtfRecording *m_recording = nullptr;
    bool m_hasRecorded = false;
    QTextCharFormat m_formatOutside;   // the format when the recording began
    // The tables being written, innermost last: while the document is built in one edit
    // block, a cursor does not know which table it is in.
    std::vector<QTextTable *> m_tables;
};
