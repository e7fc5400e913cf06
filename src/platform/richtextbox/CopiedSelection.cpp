#include "platform/richtextbox/CopiedSelection.h"

#include "platform/richtextbox/SelectionHtml.h"
#include "platform/richtextbox/SelectionMime.h"
#include "rtf/read/RtfReader.h"

#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace {

const QString textFormat = QStringLiteral("text/plain");

// Whether the range holds a character that plain text keeps: anything but a picture.
bool holdsText(const QTextDocument &document, int from, int to)
{
    for (int position = from; position < to; ++position) {
        if (document.characterAt(position) != QChar::ObjectReplacementCharacter)
            return true;
    }
    return false;
}

// The same selection in a document read back from its RTF: all of it, or, for a block of table
// cells (which the RTF holds as a table of those cells), the cells of that table.
QTextCursor sameSelection(QTextDocument &copy, bool cellBlock)
{
    QTextCursor selection(&copy);
    const QList<QTextFrame *> frames = copy.rootFrame()->childFrames();
    const QTextTable *table = frames.isEmpty() ? nullptr : qobject_cast<const QTextTable *>(frames.first());
    if (cellBlock && table) {
        selection.setPosition(table->cellAt(0, 0).firstPosition());
        selection.setPosition(table->cellAt(table->rows() - 1, table->columns() - 1).lastPosition(),
                              QTextCursor::KeepAnchor);
    } else {
        selection.select(QTextCursor::Document);
    }
    return selection;
}

bool isCellBlock(const QTextCursor &selection)
{
    int firstRow = -1, rows = 0, firstColumn = -1, columns = 0;
    selection.selectedTableCells(&firstRow, &rows, &firstColumn, &columns);
    return rows > 0;
}

} // namespace

CopiedSelection::CopiedSelection(const QTextCursor &selection)
    : m_hasPlainText(holdsText(*selection.document(), selection.selectionStart(), selection.selectionEnd())),
      m_cellBlock(isCellBlock(selection)),
      m_document(selection.document()),
      m_selection(selection)
{
    m_rtfFront = SelectionMime::richText(selection, [this](QByteArrayView piece) { m_rtfBody.append(piece); });
    m_rtfBody.finish();
    // Any change, even elsewhere in the document, and the selection no longer says what was
    // copied.
    connect(m_document, &QTextDocument::contentsChange, this, [this] {
        m_documentChanged = true;
        disconnect(m_document, nullptr, this, nullptr);
    });
}

QStringList CopiedSelection::formats() const
{
    QStringList types{SelectionMime::rtfFormat, SelectionHtml::htmlFormat};
    if (m_hasPlainText)
        types.append(textFormat);
    return types;
}

bool CopiedSelection::hasFormat(const QString &mimeType) const
{
    return mimeType == SelectionMime::rtfFormat || mimeType == SelectionHtml::htmlFormat
           || (m_hasPlainText && mimeType == textFormat);
}

QVariant CopiedSelection::retrieveData(const QString &mimeType, QMetaType type) const
{
    if (mimeType == SelectionMime::rtfFormat)
        return m_rtfBody.unpacked(m_rtfFront);
    if (mimeType == textFormat && m_hasPlainText)
        return plainText();
    if (mimeType == SelectionHtml::htmlFormat)
        return html();
    return QMimeData::retrieveData(mimeType, type);
}

// Made once, when first asked for: a program may ask again in each of the text types it knows.
QString CopiedSelection::plainText() const
{
    if (!m_plainTextMade) {
        m_plainText = fromCopy(SelectionMime::plainText);
        m_plainTextMade = true;
    }
    return m_plainText;
}

QString CopiedSelection::html() const
{
    if (!m_htmlMade) {
        m_html = fromCopy(SelectionHtml::fromSelection);
        m_htmlMade = true;
    }
    return m_html;
}

QString CopiedSelection::fromCopy(QString (*make)(const QTextCursor &)) const
{
    if (m_document && !m_documentChanged)
        return make(m_selection);
    const std::unique_ptr<QTextDocument> copy = documentFromRtf(m_rtfBody.unpacked(m_rtfFront));
    return make(sameSelection(*copy, m_cellBlock));
}
