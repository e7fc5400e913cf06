#include "platform/richtextbox/RichTextBox.h"
#include "platform/richtextbox/wide/FontSurvey.h"
#include "platform/richtextbox/wide/WideContent.h"

#include "platform/richtextbox/DeferredLayout.h"
#include "platform/richtextbox/EditingLayout.h"
#include "platform/richtextbox/qtstate/TextBuffer.h"
#include "base/Failure.h"
#include "platform/KeyCodes.h"
#include "platform/Twips.h"
#include "platform/WindowMessages.h"
#include "rtf/DocumentText.h"
#include "rtf/RtfRevisions.h"

#include <QAction>
#include <QColor>
#include <QKeyEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPointer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// Typed or pasted text may come with Windows line ends; each becomes one paragraph break.
QString normalisedLineEnds(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

RichTextBox::RichTextBox(QWidget *parent)
    : QTextEdit(parent)
{
    setAcceptRichText(true);
    m_wide = new WideContent(*this);
    adoptDocument(new QTextDocument(this));
    // Wrapping at the window's edge, as a new control starts, comes with these bits.
    m_otherStyleBits = WindowMessages::ES_MULTILINE | WindowMessages::ES_AUTOVSCROLL
        | WindowMessages::ES_AUTOHSCROLL;
    connect(this, &RichTextBox::Change, this, [this] {
        if (!m_undoing)
            m_lastEditWasUndo = false;
    });
    connect(this, &QTextEdit::cursorPositionChanged, this, &RichTextBox::leaveSeam);
}

void RichTextBox::adoptDocument(QTextDocument *document)
{
    // The control deletes a document of its own when given another, so ask through a guard.
    const QPointer<QTextDocument> previous = this->document();
    document->setParent(this);
    // Each of the settings below would start a layout of the whole document, which lays out a
    // table at its start at once, however long. Without a page size nothing is laid out until
    // the editing area gives the document its width.
    document->setPageSize(QSizeF(0, 0));
    document->setDefaultFont(font());
    // A paragraph runs left to right unless its format says otherwise (\rtlpar), as in a rich
    // text file. Left to guess, the layout would scan every paragraph's text for its direction
    // each time it passes it: on every key, for every paragraph after the caret.
    QTextOption option = document->defaultTextOption();
    option.setTextDirection(Qt::LeftToRight);
    document->setDefaultTextOption(option);
    EditingLayout::install(*document);
    setDocument(document);
    applyZoom();
    // Before the first paint: the fonts of the whole text are met now rather than in the first
    // steps of the background layout, where a key would wait for them, and lines that don't
    // wrap get their width before the first layout.
    FontSurvey::Survey survey = FontSurvey::survey(*document);
    m_documentFonts = std::move(survey.fonts);
    m_wide->watch(*document, survey.widestParagraph);
    connect(document, &QTextDocument::contentsChanged, this, &RichTextBox::Change);
    connect(document, &QTextDocument::contentsChange, this, &RichTextBox::noteChangeNearSeams);
    m_changedFrom = m_changedTo = -1;
    if (previous && previous != document && previous->parent() == this)
        previous->deleteLater();
}

int RichTextBox::TextLength() const { return document()->characterCount() - 1; }

// Each break of the raw text is one position: "\n", or a tab at the end of a table cell that
// another cell of its row follows (DocumentText.h).
QString RichTextBox::Text() const
{
    QString text = document()->toRawText();
    DocumentText::countBreaks(*document(), text, 0);
    return text;
}

void RichTextBox::setText(const QString &text)
{
    const QString replacement = normalisedLineEnds(text);
    const DeferredLayout layout(*document(), std::max(replacement.size(), qsizetype(TextLength())));
    // Inside an edit block the cursor leaves its column for later, which would otherwise lay
    // out everything up to the end of the new text.
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(replacement);
    cursor.endEditBlock();
    cursor.setPosition(0);
    setTextCursor(cursor);
}

int RichTextBox::clampPosition(int position) const
{
    return std::clamp(position, 0, TextLength());
}

int RichTextBox::outsideCharacter(int position, int step) const
{
    return document()->characterAt(position).isLowSurrogate() ? position + step : position;
}

int RichTextBox::SelStart() const { return textCursor().selectionStart(); }

void RichTextBox::setSelStart(int start)
{
    if (start < 0)
        throw Failure(QStringLiteral("Invalid property value"));
    QTextCursor cursor = textCursor();
    cursor.setPosition(outsideCharacter(clampPosition(start), -1));
    setTextCursor(cursor);
}

int RichTextBox::SelLength() const
{
    const QTextCursor cursor = textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void RichTextBox::setSelLength(int length)
{
    if (length < 0)
        throw Failure(QStringLiteral("Invalid property value"));
    QTextCursor cursor = textCursor();
    const int start = cursor.selectionStart();
    cursor.setPosition(start);
    const int end = clampPosition(start + std::min(length, TextLength()));
    cursor.setPosition(outsideCharacter(end, 1), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

QString RichTextBox::SelText() const
{
    const QTextCursor cursor = textCursor();
    return DocumentText::between(*document(), cursor.selectionStart(), cursor.selectionEnd());
}

// Every position is a character of SelText, a table cell's end too.
bool RichTextBox::HasSelText() const { return textCursor().hasSelection(); }

void RichTextBox::setSelText(const QString &text)
{
    QTextCursor cursor = textCursor();
    cursor.insertText(normalisedLineEnds(text));
    setTextCursor(cursor);
}

void RichTextBox::SetFocus()
{
    if (!isVisible() || !isEnabled())
        throw Failure(QStringLiteral("Can't move focus to the control because it is invisible, "
                                     "not enabled, or of a type that does not accept the focus"));
    setFocus(Qt::OtherFocusReason);
}

int RichTextBox::Left() const { return Twips::fromPixelsX(x()); }
int RichTextBox::Top() const { return Twips::fromPixelsY(y()); }
int RichTextBox::Width() const { return Twips::fromPixelsX(width()); }
int RichTextBox::Height() const { return Twips::fromPixelsY(height()); }
void RichTextBox::setLeft(int twips) { move(Twips::toPixelsX(twips), y()); }
void RichTextBox::setTop(int twips) { move(x(), Twips::toPixelsY(twips)); }

void RichTextBox::setWidth(int twips)
{
    if (twips < 0)
        throw Failure(QStringLiteral("Invalid property value"));
    resize(Twips::toPixelsX(twips), height());
}

void RichTextBox::setHeight(int twips)
{
    if (twips < 0)
        throw Failure(QStringLiteral("Invalid property value"));
    resize(width(), Twips::toPixelsY(twips));
}

void RichTextBox::LoadFile(const QString &path, RichTextFileType type)
{
    std::unique_ptr<QTextDocument> loaded = loadDocument(path, type);
    // A loaded document starts with nothing to undo: its reading is not an edit.
    loaded->setUndoRedoEnabled(false);
    loaded->setUndoRedoEnabled(true);
    TextBuffer::trim(*loaded);
    adoptDocument(loaded.release());
    Q_EMIT Change();
}

void RichTextBox::SaveFile(const QString &path, RichTextFileType type) const
{
    saveDocument(*document(), path, type);
}

bool RichTextBox::windowHasShortcut(const QKeySequence &keys) const
{
    const QList<QAction *> actions = window()->findChildren<QAction *>();
    return std::any_of(actions.begin(), actions.end(), [&](const QAction *action) {
        return action->isEnabled() && action->shortcuts().contains(keys);
    });
}

bool RichTextBox::event(QEvent *event)
{
    // Qt's text widgets claim Ctrl+Z, Ctrl+C and the like for themselves. The window's menu
    // shortcuts win here, so that the keys run the same commands as the menus, except Ctrl+V:
    // that one reaches KeyDown, whose handler pastes through the Paste command.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *keyEvent = static_cast<QKeyEvent *>(event);
        const QKeySequence keys(keyEvent->keyCombination());
        if (keyEvent->key() == Qt::Key_V && keyEvent->modifiers() == Qt::ControlModifier) {
            event->accept();
            return true;
        }
        if (windowHasShortcut(keys)) {
            event->ignore();
            return false;
        }
    }
    return QTextEdit::event(event);
}

void RichTextBox::paintEvent(QPaintEvent *event)
{
    QTextEdit::paintEvent(event);
    if (!m_overlayPainter)
        return;
    QPainter painter(viewport());
    painter.setClipRegion(event->region());
    m_overlayPainter(painter, event->rect());
}

void RichTextBox::keyPressEvent(QKeyEvent *event)
{
    if (const int virtualKey = KeyCodes::virtualKey(event->key())) {
        int keyCode = virtualKey;
        Q_EMIT KeyDown(keyCode, KeyCodes::shiftMask(event->modifiers()));
        if (keyCode == 0) {
            event->accept();
            return;
        }
    }
    // The editing area's own undo keys, used when no menu command claims them, follow the same
    // single-level undo as the Undo command: a second Ctrl+Z takes the first one back.
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
        if (event->matches(QKeySequence::Undo) || m_lastEditWasUndo)
            undoOnce();
        event->accept();
        return;
    }
    if (conventionKey(event) || enterParagraph(event)) {
        event->accept();
        return;
    }
    // Text typed inside a tracked change is new text, no part of the change.
    if (!event->text().isEmpty() && event->text().front().isPrint() && !textCursor().hasSelection()
        && RtfRevision::isRevision(textCursor().charFormat()))
        setCurrentCharFormat(RtfRevision::withoutRevision(textCursor().charFormat()));
    QTextEdit::keyPressEvent(event);
}

int RichTextBox::ConvertRuns(int start, int length, const std::function<QString(const QString &)> &convert)
{
    if (start < 0 || length < 0 || start > TextLength() - length)
        throw Failure(QStringLiteral("Invalid property value"));
    struct Piece
    {
        int position;
        QString text;
        QTextCharFormat format;
        bool isRun;
        QString converted;
    };
    QList<Piece> pieces;
    const int end = start + length;
    for (QTextBlock block = document()->findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        if (block.position() > start)
            pieces.append({block.position() - 1, QStringLiteral("\n"), {}, false, {}});
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int from = std::max(start, fragment.position());
            const int to = std::min(end, fragment.position() + fragment.length());
            if (from < to)
                pieces.append({from, fragment.text().mid(from - fragment.position(), to - from),
                               fragment.charFormat(), !fragment.charFormat().isImageFormat(), {}});
        }
    }
    for (Piece &piece : pieces)
        piece.converted = convert(piece.text);

    // Where a position of the old text stands in the new one: behind the runs that changed
    // length before it, and within its own run no further than the run's new end.
    const auto moved = [&](int position) {
        int shift = 0;
        for (const Piece &piece : std::as_const(pieces)) {
            if (piece.position >= position)
                break;
            if (!piece.isRun)
                continue;
            const int oldEnd = piece.position + int(piece.text.size());
            if (position < oldEnd)
                return shift + piece.position + std::min(position - piece.position, int(piece.converted.size()));
            shift += int(piece.converted.size() - piece.text.size());
        }
        return position + shift;
    };
    const QTextCursor selection = textCursor();
    const int anchor = moved(selection.anchor());
    const int position = moved(selection.position());

    // Back to front, so that the positions of the pieces still to come stay valid.
    const DeferredLayout layout(*document(), length);
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    int newLength = length;
    for (auto piece = pieces.crbegin(); piece != pieces.crend(); ++piece) {
        if (!piece->isRun || piece->converted == piece->text)
            continue;
        cursor.setPosition(piece->position);
        cursor.setPosition(piece->position + int(piece->text.size()), QTextCursor::KeepAnchor);
        cursor.insertText(piece->converted, piece->format);
        newLength += int(piece->converted.size() - piece->text.size());
    }
    cursor.endEditBlock();

    QTextCursor restored = textCursor();
    restored.setPosition(anchor);
    restored.setPosition(position, QTextCursor::KeepAnchor);
    setTextCursor(restored);
    return newLength;
}

int RichTextBox::SelColor() const
{
    const QColor colour = selectionFormat().foreground().color();
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

void RichTextBox::setSelColor(int colour)
{
    QTextCharFormat format;
    format.setForeground(QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
    const DeferredLayout layout(*document(), SelLength());
    mergeCurrentCharFormat(format);
}

bool RichTextBox::HideSelection() const { return m_hideSelection; }

void RichTextBox::setHideSelection(bool hide)
{
    if (hide == m_hideSelection)
        return;
    m_hideSelection = hide;
    QPalette colours = palette();
    if (hide) {
        // Only the two selection roles change and come back, so that a background colour set
        // meanwhile survives.
        m_paletteShowingSelection = colours;
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            colours.setBrush(group, QPalette::Highlight, Qt::transparent);
            colours.setBrush(group, QPalette::HighlightedText, colours.brush(group, QPalette::Text));
        }
    } else {
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
                colours.setBrush(group, role, m_paletteShowingSelection.brush(group, role));
    }
    setPalette(colours);
}

int RichTextBox::WindowStyle() const
{
    int style = m_otherStyleBits;
    if (m_wide->horizontalBar())
        style |= WindowMessages::WS_HSCROLL;
    if (verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff)
        style |= WindowMessages::WS_VSCROLL;
    return style;
}

void RichTextBox::setWindowStyle(int style)
{
    using namespace WindowMessages;
    m_wide->setHorizontalBar(style & WS_HSCROLL);
    setVerticalScrollBarPolicy(style & WS_VSCROLL ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    m_otherStyleBits = style & ~(WS_HSCROLL | WS_VSCROLL);
}

void RichTextBox::RefreshFrame()
{
    updateGeometry();
    update();
    viewport()->update();
}
