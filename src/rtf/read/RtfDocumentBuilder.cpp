#include "rtf/read/RtfDocumentBuilder.h"

#include "rtf/DocumentText.h"
#include "rtf/KeptRtfParts.h"
#include "rtf/TableContinuation.h"

#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>

#include <algorithm>

RtfDocumentBuilder::RtfDocumentBuilder(QTextDocument &document)
    : m_document(document), m_cursor(&document)
{
    // Building is one step, not thousands of undoable ones.
    m_document.setUndoRedoEnabled(false);
    m_cursor.beginEditBlock();
}

RtfDocumentBuilder::~RtfDocumentBuilder()
{
    if (!m_finished)
        m_cursor.endEditBlock();
    m_document.setUndoRedoEnabled(true);
}

void RtfDocumentBuilder::setCharFormat(const QTextCharFormat &format)
{
    if (format == m_format)
        return;
    flush();
    m_format = format;
}

// An empty paragraph shows its block's character format when typed into: keep it ours, not
// the editing area's default font.
void RtfDocumentBuilder::keepEmptyParagraphFormat()
{
    if (!m_paragraphEmpty || !m_run.isEmpty())
        return;
    if (!keepCellMarkFormat())
        m_cursor.setBlockCharFormat(m_format);
}

// The first paragraph of a table cell has the cell's own format, which holds the cell's spans
// and shading: the paragraph's goes on top of it. False for any other paragraph.
bool RtfDocumentBuilder::keepCellMarkFormat()
{
    if (m_tables.empty())
        return false;
    QTextTableCell cell = m_tables.back()->cellAt(m_cursor.position());
    if (!cell.isValid() || cell.firstPosition() != m_cursor.block().position())
        return false;
    QTextCharFormat paragraph = m_format;
    paragraph.clearProperty(QTextFormat::BackgroundBrush);   // a highlight is no shading
    QTextCharFormat format = cell.format();
    format.merge(paragraph);
    cell.setFormat(format);
    return true;
}

void RtfDocumentBuilder::flush()
{
    if (m_run.isEmpty())
        return;
    if (m_recording) {
        RtfRecordedItem item;
        item.charFormat = m_format;
        item.text = m_run;
        m_recording->push_back(std::move(item));
        m_run.clear();
        m_paragraphEmpty = false;
        return;
    }
    anchorGroupsAfter();
    const int start = m_cursor.position();
    m_cursor.insertText(m_run, m_format);
    m_run.clear();
    m_paragraphEmpty = false;
    if (!m_pendingGroups.isEmpty()) {
        anchorGroups(start, AnchoredGroups::before, m_pendingGroups);
        m_pendingGroups.clear();
    }
}

// Groups one after another at the same place are gathered and given to their character in
// one change, so a file of many of them costs no more than their bytes.
void RtfDocumentBuilder::keepAnchoredGroup(const QByteArray &group, const KeptRtfTables &tables, bool withNext)
{
    flush();
    m_groupTables = tables;
    if (m_recording) {
        RtfRecordedItem item;
        item.kind = RtfRecordedItem::Kind::Group;
        item.group = group;
        m_recording->push_back(std::move(item));
        return;
    }
    if (m_paragraphEmpty || withNext) {
        m_pendingGroups += group;
        return;
    }
    m_groupsAfter += group;
}

void RtfDocumentBuilder::keepGroupsWithCharacterBefore(int position)
{
    flush();
    if (m_recording || position <= 0 || position >= m_cursor.position())
        return;
    QTextCursor character(&m_document);
    character.setPosition(position);
    character.setPosition(position + 1, QTextCursor::KeepAnchor);
    QTextCharFormat format = character.charFormat();
    const QByteArray groups = format.property(AnchoredGroups::before).toByteArray();
    if (groups.isEmpty())
        return;
    const KeptRtfTables tables = format.property(AnchoredGroups::tables).value<KeptRtfTables>();
    format.clearProperty(AnchoredGroups::before);
    if (!format.hasProperty(AnchoredGroups::after)) {
        format.clearProperty(AnchoredGroups::anchor);
        format.clearProperty(AnchoredGroups::tables);
    }
    character.setCharFormat(format);
    const KeptRtfTables current = std::exchange(m_groupTables, tables);
    anchorGroups(position - 1, AnchoredGroups::after, groups);
    m_groupTables = current;
}

void RtfDocumentBuilder::anchorGroupsAfter()
{
    if (m_groupsAfter.isEmpty())
        return;
    anchorGroups(m_cursor.position() - 1, AnchoredGroups::after, m_groupsAfter);
    m_groupsAfter.clear();
}

// Adds `groups` to the character at `position`, after what it already keeps.
void RtfDocumentBuilder::anchorGroups(int position, int property, const QByteArray &groups)
{
    QTextCursor character(&m_document);
    character.setPosition(position);
    character.setPosition(position + 1, QTextCursor::KeepAnchor);
    const QTextCharFormat current = character.charFormat();
    QTextCharFormat added;
    added.setProperty(property, current.property(property).toByteArray() + groups);
    added.setProperty(AnchoredGroups::anchor,
                      current.hasProperty(AnchoredGroups::anchor) ? current.intProperty(AnchoredGroups::anchor) : ++m_anchors);
    if (!m_groupTables.isEmpty())
        added.setProperty(AnchoredGroups::tables, QVariant::fromValue(m_groupTables));
    character.mergeCharFormat(added);
}

void RtfDocumentBuilder::appendPicture(const QImage &image, QSizeF displaySize, const OriginalPicture &original)
{
    flush();
    if (m_recording) {
        RtfRecordedItem item;
        item.kind = RtfRecordedItem::Kind::Picture;
        item.charFormat = m_format;
        item.image = image;
        item.size = displaySize;
        item.original = original;
        m_recording->push_back(std::move(item));
        m_paragraphEmpty = false;
        return;
    }
    anchorGroupsAfter();
    const QString name = QStringLiteral("rtfimage://%1").arg(++m_imageCount);
    m_document.addResource(QTextDocument::ImageResource, QUrl(name), image);
    if (!original.isNull())
        keepOriginalPicture(m_document, name, original);
    QTextImageFormat format;
    format.merge(m_format);
    format.setName(name);
    format.setWidth(displaySize.width());
    format.setHeight(displaySize.height());
    const int start = m_cursor.position();
    m_cursor.insertImage(format);
    m_paragraphEmpty = false;
    if (!m_pendingGroups.isEmpty()) {
        anchorGroups(start, AnchoredGroups::before, m_pendingGroups);
        m_pendingGroups.clear();
    }
}

int RtfDocumentBuilder::position()
{
    if (!m_recording)
        return m_cursor.position() + int(m_run.size());
    flush();
    return int(m_recording->size());
}

QString RtfDocumentBuilder::textFrom(int from)
{
    flush();
    if (m_recording) {
        QString text;
        for (std::size_t i = std::max(from, 0); i < m_recording->size(); ++i) {
            const RtfRecordedItem &item = (*m_recording)[i];
            if (item.kind == RtfRecordedItem::Kind::Text)
                text += item.text;
            else if (item.kind != RtfRecordedItem::Kind::Group)
                text += QChar::ObjectReplacementCharacter;   // no list draws it as a marker
        }
        return text;
    }
    QTextCursor text(&m_document);
    text.setPosition(std::min(from, m_cursor.position()));
    text.setPosition(m_cursor.position(), QTextCursor::KeepAnchor);
    return text.selectedText();
}

void RtfDocumentBuilder::removeFrom(int from, int to)
{
    flush();
    if (m_recording) {
        const auto size = int(m_recording->size());
        from = std::clamp(from, 0, size);
        to = std::clamp(to, from, size);
        m_recording->erase(m_recording->begin() + from, m_recording->begin() + to);
        m_paragraphEmpty = true;
        for (auto it = m_recording->rbegin(); it != m_recording->rend() && m_paragraphEmpty; ++it) {
            if (it->kind == RtfRecordedItem::Kind::Paragraph || it->kind == RtfRecordedItem::Kind::CellEnd
                || it->kind == RtfRecordedItem::Kind::Table)
                break;
            m_paragraphEmpty = it->kind == RtfRecordedItem::Kind::Group;
        }
        return;
    }
    QTextCursor text(&m_document);
    text.setPosition(std::min(from, m_cursor.position()));
    text.setPosition(std::min(to, m_cursor.position()), QTextCursor::KeepAnchor);
    text.removeSelectedText();
    m_paragraphEmpty = m_cursor.atBlockStart();
}

// While recording, a paragraph's end goes into the recording.
bool RtfDocumentBuilder::recordEnd(RtfRecordedItem::Kind kind, const QTextBlockFormat &format)
{
    if (!m_recording)
        return false;
    flush();
    RtfRecordedItem item;
    item.kind = kind;
    item.charFormat = m_format;
    item.blockFormat = format;
    m_recording->push_back(std::move(item));
    m_paragraphEmpty = true;
    return true;
}

void RtfDocumentBuilder::closeParagraph(const QTextBlockFormat &format)
{
    keepEmptyParagraphFormat();
    if (format.objectIndex() >= 0)
        keepCellMarkFormat();   // a list draws an item's marker in the format of its mark
    flush();
    anchorGroupsAfter();
    m_cursor.setBlockFormat(format);
}

void RtfDocumentBuilder::endParagraph(const QTextBlockFormat &format)
{
    if (recordEnd(RtfRecordedItem::Kind::Paragraph, format))
        return;
    closeParagraph(format);
    QTextBlockFormat next = format;
    next.setObjectIndex(-1);   // the next paragraph is in a list only when it says so
    m_cursor.insertBlock(next, m_format);
    m_paragraphEmpty = true;
}

void RtfDocumentBuilder::finish(const QTextBlockFormat &format)
{
    keepEmptyParagraphFormat();
    flush();
    anchorGroupsAfter();
    // Groups after the last character of the document stay with that character. Paragraph
    // and table boundaries are written as control words that keep nothing, so groups in
    // empty paragraphs at the end go to the last character of text before them.
    if (!m_pendingGroups.isEmpty()) {
        int last = m_cursor.position() - 1;
        while (last >= 0 && DocumentText::isStructureMark(m_document.characterAt(last).unicode()))
            --last;
        if (last >= 0)
            anchorGroups(last, AnchoredGroups::after, m_pendingGroups);
    }
    m_pendingGroups.clear();
    m_cursor.setBlockFormat(format);
    m_cursor.endEditBlock();
    m_finished = true;
}

void RtfDocumentBuilder::endCell(const QTextBlockFormat &format)
{
    if (!recordEnd(RtfRecordedItem::Kind::CellEnd, format))
        closeParagraph(format);
}

void RtfDocumentBuilder::setRecording(RtfRecording *recording)
{
    if (recording == m_recording)
        return;
    flush();
    // The format in effect where a table begins is the one it is written with, whatever its
    // cells' formats were.
    if (!m_recording) {
        anchorGroupsAfter();
        m_formatOutside = m_format;
    } else if (!recording) {
        m_format = m_formatOutside;
    }
    m_recording = recording;
    m_hasRecorded = m_hasRecorded || recording;
}

void RtfDocumentBuilder::recordTable(int table)
{
    flush();
    if (!m_recording)
        return;
    RtfRecordedItem item;
    item.kind = RtfRecordedItem::Kind::Table;
    item.charFormat = m_format;
    item.table = table;
    m_recording->push_back(std::move(item));
    m_paragraphEmpty = true;
}

void RtfDocumentBuilder::replay(const RtfRecording &items, const std::function<void(int)> &insertTable)
{
    for (const RtfRecordedItem &item : items) {
        switch (item.kind) {
        case RtfRecordedItem::Kind::Text:
            setCharFormat(item.charFormat);
            appendText(item.text);
            break;
        case RtfRecordedItem::Kind::Picture:
            setCharFormat(item.charFormat);
            appendPicture(item.image, item.size, item.original);
            break;
        case RtfRecordedItem::Kind::Paragraph:
            setCharFormat(item.charFormat);
            endParagraph(item.blockFormat);
            break;
        case RtfRecordedItem::Kind::CellEnd:
            setCharFormat(item.charFormat);
            endCell(item.blockFormat);
            break;
        case RtfRecordedItem::Kind::Group:
            keepAnchoredGroup(item.group, m_groupTables);
            break;
        case RtfRecordedItem::Kind::Table:
            setCharFormat(item.charFormat);
            flush();
            insertTable(item.table);
            break;
        }
    }
    flush();
}

QTextTable *RtfDocumentBuilder::insertTable(int rows, int columns, const QTextTableFormat &format)
{
    flush();
    anchorGroupsAfter();
    // The paragraph mark that began this empty paragraph is the table's start instead, unless
    // the paragraph is the first of its cell or of the document, or follows a table.
    if (m_paragraphEmpty && m_cursor.atBlockStart()) {
        int first = 0;
        if (!m_tables.empty())
            first = m_tables.back()->cellAt(m_cursor.position()).firstPosition();
        const int position = m_cursor.position();
        if (position > first && m_document.characterAt(position - 1) == QChar::ParagraphSeparator)
            m_cursor.deletePreviousChar();
        else if (position == 0 && m_tables.empty())
            m_cursor.setBlockFormat(TableContinuation::seamFormat());   // the file starts with the table
        else
            keepEmptyParagraphFormat();   // as the empty paragraph it is written as
    }
    QTextTable *table = m_cursor.insertTable(rows, columns, format);
    m_tables.push_back(table);
    m_paragraphEmpty = true;
    return table;
}

void RtfDocumentBuilder::beginCell(const QTextTableCell &cell)
{
    m_cursor = cell.firstCursorPosition();
    m_paragraphEmpty = true;
}

void RtfDocumentBuilder::continueTable()
{
    m_cursor.setBlockFormat(TableContinuation::seamFormat());
}

void RtfDocumentBuilder::continueAfter(const QTextTable &table)
{
    m_cursor.setPosition(table.lastPosition() + 1);
    m_paragraphEmpty = true;
    if (!m_tables.empty())
        m_tables.pop_back();
}
