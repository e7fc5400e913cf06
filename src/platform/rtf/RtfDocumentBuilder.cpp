#include "platform/rtf/RtfDocumentBuilder.h"

#include "platform/rtf/KeptRtfParts.h"

#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

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
    if (m_paragraphEmpty && m_run.isEmpty())
        m_cursor.setBlockCharFormat(m_format);
}

void RtfDocumentBuilder::flush()
{
    if (m_run.isEmpty())
        return;
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
void RtfDocumentBuilder::keepAnchoredGroup(const QByteArray &group, const KeptRtfTables &tables)
{
    flush();
    m_groupTables = tables;
    if (m_paragraphEmpty) {
        m_pendingGroups += group;
        return;
    }
    m_groupsAfter += group;
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

QString RtfDocumentBuilder::textFrom(int from)
{
    flush();
    QTextCursor text(&m_document);
    text.setPosition(std::min(from, m_cursor.position()));
    text.setPosition(m_cursor.position(), QTextCursor::KeepAnchor);
    return text.selectedText();
}

void RtfDocumentBuilder::removeFrom(int from, int to)
{
    flush();
    QTextCursor text(&m_document);
    text.setPosition(std::min(from, m_cursor.position()));
    text.setPosition(std::min(to, m_cursor.position()), QTextCursor::KeepAnchor);
    text.removeSelectedText();
    m_paragraphEmpty = m_cursor.atBlockStart();
}

void RtfDocumentBuilder::endParagraph(const QTextBlockFormat &format)
{
    keepEmptyParagraphFormat();
    flush();
    anchorGroupsAfter();
    m_cursor.setBlockFormat(format);
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
    // Groups after the last character of the document stay with that character.
    if (!m_pendingGroups.isEmpty() && m_cursor.position() > 0)
        anchorGroups(m_cursor.position() - 1, AnchoredGroups::after, m_pendingGroups);
    m_pendingGroups.clear();
    m_cursor.setBlockFormat(format);
    m_cursor.endEditBlock();
    m_finished = true;
}
