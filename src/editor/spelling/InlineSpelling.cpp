#include "editor/spelling/InlineSpelling.h"

#include "editor/spelling/SpellChecker.h"
#include "editor/spelling/SpellingDictionary.h"
#include "editor/spelling/WordSplitter.h"
#include "platform/richtextbox/RichTextBox.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <cmath>

namespace {

// How long the text or the view must stay still before the check runs: typing or scrolling on
// is not slowed by checks whose outcome it would overtake.
constexpr int kQuietMs = 150;
// A paragraph longer than this is checked only where it shows (and a page around), not whole.
constexpr int kLongParagraph = 4000;
// A change of more paragraphs than this makes every record out of date at once.
constexpr int kMostBlocksMarked = 64;
// At most this many paragraphs are checked in one go (a view of many empty lines).
constexpr int kMostBlocksChecked = 4000;
// Around a word that is looked at alone (the one right-clicked, the one being typed), this much
// of its paragraph is read on each side: more than any judged word is long.
constexpr int kWordReach = 2 * SpellingDictionary::kLongestWord + 2;

using Range = std::pair<int, int>; // start, length

// What the last check of a paragraph found; it moves with the paragraph through edits.
struct BlockSpelling : QTextBlockUserData
{
    quint64 generation = 0; // 0: out of date
    int from = 0;           // the part of the paragraph checked
    int to = 0;
    QList<Range> misspelled; // offsets within the paragraph
};

BlockSpelling *recordOf(const QTextBlock &block)
{
    return dynamic_cast<BlockSpelling *>(block.userData());
}

QString textBetween(QTextDocument &document, int from, int to)
{
    QTextCursor cursor(&document);
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    return cursor.selectedText();
}

// The part of a long paragraph within the band of the view, as offsets, with room for the
// words cut at its edges.
Range partShown(const QTextBlock &block, const QRectF &band, const QAbstractTextDocumentLayout &layout)
{
    const int length = block.length() - 1;
    const QTextLayout *lines = block.layout();
    const QPointF origin = layout.blockBoundingRect(block).topLeft();
    int from = length;
    int to = 0;
    for (int i = 0; lines && i < lines->lineCount(); ++i) {
        const QTextLine line = lines->lineAt(i);
        const qreal top = origin.y() + line.y();
        if (top + line.height() < band.top() || top > band.bottom())
            continue;
        from = std::min(from, line.xToCursor(band.left() - origin.x()));
        to = std::max(to, line.xToCursor(band.right() - origin.x()));
    }
    if (from > to) // not laid out yet: its start
        return {0, std::min(length, kLongParagraph)};
    from = std::max(0, from - kWordReach);
    to = std::min(length, to + kWordReach);
    return {from, to - from};
}

} // namespace

InlineSpelling::InlineSpelling(QTextEdit &area, SpellChecker &checker)
    : QObject(&area), m_area(area), m_checker(checker)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &InlineSpelling::check);
    connect(&m_checker, &SpellChecker::ready, this, [this] { schedule(0); });
    connect(&m_checker, &SpellChecker::wordsChanged, this, [this] {
        ++m_generation;
        m_checkAll = true;
        schedule(0);
    });
    connect(&m_area, &QTextEdit::cursorPositionChanged, this, &InlineSpelling::caretMoved);
    for (QScrollBar *bar : {m_area.verticalScrollBar(), m_area.horizontalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, [this] { schedule(kQuietMs); });
    m_area.viewport()->installEventFilter(this);
    if (auto *box = qobject_cast<RichTextBox *>(&m_area))
        box->setOverlayPainter([this](QPainter &painter, const QRect &exposed) { paint(painter, exposed); });
    watchDocument();
}

InlineSpelling::~InlineSpelling() = default;

void InlineSpelling::watchDocument()
{
    if (m_document == m_area.document())
        return;
    if (m_document)
        disconnect(m_document, nullptr, this, nullptr);
    m_document = m_area.document();
    connect(m_document, &QTextDocument::contentsChange, this, &InlineSpelling::documentChanged);
    m_typing = false;
    m_editPoint = QTextCursor();
    m_touched.clear();
    m_checkAll = true;
    ++m_generation;
    show({});
    schedule(kQuietMs);
}

bool InlineSpelling::eventFilter(QObject *watched, QEvent *event)
{
    // The area has no signal for a new document; a new document always shows itself.
    if (event->type() == QEvent::Paint && m_area.document() != m_document)
        watchDocument();
    else if (event->type() == QEvent::Resize)
        schedule(kQuietMs);
    return QObject::eventFilter(watched, event);
}

void InlineSpelling::setEnabled(bool enabled)
{
    m_enabled = enabled;
    m_checkAll = true;
    if (!enabled)
        show({});
    schedule(0);
}

void InlineSpelling::schedule(int delay)
{
    m_timer.start(delay);
}

void InlineSpelling::documentChanged(int from, int removed, int added)
{
    if (!m_document)
        return;
    // The paragraphs the change touched are checked again; a change of many, all of them.
    int marked = 0;
    const int end = std::min(from + added, m_document->characterCount() - 1);
    for (QTextBlock block = m_document->findBlock(from); block.isValid() && block.position() <= end;
         block = block.next()) {
        if (++marked > kMostBlocksMarked) {
            ++m_generation;
            m_bandStart = QTextCursor(); // the band's paragraphs may have grown or gone
            m_checkAll = true;
            break;
        }
        if (BlockSpelling *record = recordOf(block))
            record->generation = 0;
        m_touched.append(QTextCursor(block));
    }
    // Every cursor kept here is moved by every later edit: thousands of them, gathered while
    // a Replace All's edits keep the check waiting, made each edit cost more than the last.
    // Past a page's worth the band is checked whole, which costs no more.
    if (m_checkAll || m_touched.size() > kMostBlocksMarked) {
        m_checkAll = true;
        m_touched.clear();
    }
    // A key, a Backspace or a short input at the caret: the word it is in is being typed.
    m_typing = added + removed <= 4 && m_area.textCursor().position() == from + added;
    if (m_typing) {
        m_editPoint = QTextCursor(m_document);
        m_editPoint.setPosition(std::clamp(from + added, 0, m_document->characterCount() - 1));
    }
    schedule(kQuietMs);
}

std::pair<int, int> InlineSpelling::typedWord() const
{
    if (!m_typing || m_editPoint.isNull() || !m_document)
        return {0, 0};
    const int point = m_editPoint.position();
    const QTextBlock block = m_document->findBlock(point);
    const int from = std::max(block.position(), point - kWordReach);
    const int to = std::min(block.position() + block.length() - 1, point + kWordReach);
    const WordSplitter::Word run = WordSplitter::runAt(textBetween(*m_document, from, to), point - from);
    const int caret = m_area.textCursor().position();
    if (run.length == 0 || caret < from + run.start || caret > from + run.start + run.length)
        return {0, 0};
    return {from + run.start, run.length};
}

void InlineSpelling::caretMoved()
{
    // Leaving the word being typed has it judged.
    if (m_typing && typedWord().second == 0) {
        m_typing = false;
        if (!m_editPoint.isNull())
            m_touched.append(m_editPoint);
        schedule(kQuietMs);
    }
}

void InlineSpelling::checkNow()
{
    m_timer.stop();
    check();
}

QRectF InlineSpelling::band() const
{
    const QSize view = m_area.viewport()->size();
    return QRectF(m_area.horizontalScrollBar()->value() - view.width(), m_area.verticalScrollBar()->value() - view.height(),
                  view.width() * 3, view.height() * 3);
}

QTextBlock InlineSpelling::firstBlockOfBand(const QRectF &band) const
{
    // Walked to from the band's last start, a page or so away after a scroll: asking the layout
    // for the paragraph at a height walks the document's tables, 10 ms and more a time in a
    // long document.
    const QAbstractTextDocumentLayout &layout = *m_document->documentLayout();
    // Not the very top of the view at the start of the document: in the margin above the first
    // line, Qt's hit test passes every paragraph by and takes those not laid out yet for ones
    // above the point, answering with the document's end, and laying out all of it on the way.
    const int firstLine = int(std::ceil(m_document->documentMargin())) + 1 - m_area.verticalScrollBar()->value();
    QTextBlock block = m_bandStart.isNull() || m_bandStart.document() != m_document
        ? m_area.cursorForPosition(QPoint(0, std::max(0, firstLine))).block()
        : m_document->findBlock(m_bandStart.position());
    int steps = 0;
    while (block.previous().isValid() && layout.blockBoundingRect(block).top() > band.top() && ++steps < kMostBlocksChecked)
        block = block.previous();
    while (block.next().isValid() && layout.blockBoundingRect(block).bottom() < band.top() && ++steps < kMostBlocksChecked)
        block = block.next();
    if (steps >= kMostBlocksChecked)
        block = m_area.cursorForPosition(QPoint(0, -m_area.viewport()->height())).block();
    return block;
}

QList<std::pair<int, int>> InlineSpelling::misspelledIn(QTextBlock block, const QRectF &band, const std::pair<int, int> &typed)
{
    const int length = block.length() - 1;
    const Range part = length <= kLongParagraph ? Range{0, length} : partShown(block, band, *m_document->documentLayout());
    const int from = part.first;
    const int to = part.first + part.second;
    m_bandHasLongParagraph = m_bandHasLongParagraph || length > kLongParagraph;
    BlockSpelling *record = recordOf(block);
    QList<Range> misspelled;
    if (!record || record->generation != m_generation || from < record->from || to > record->to) {
        if (!m_symbolFamiliesRead) {
            m_symbolFamilies = WordSplitter::symbolFamilies(*m_document);
            m_symbolFamiliesRead = true;
        }
        const QString text = block.text();
        for (const WordSplitter::Word &word : WordSplitter::wordsOfBlock(block, text, from, to, m_symbolFamilies))
            if (m_checker.isMisspelled(QStringView(text).mid(word.start, word.length)))
                misspelled.append({word.start, word.length});
        // A paragraph carrying someone else's record is checked each time instead.
        if (!record && !block.userData()) {
            record = new BlockSpelling;
            block.setUserData(record);
        }
        if (record) {
            record->generation = m_generation;
            record->from = from;
            record->to = to;
            record->misspelled = misspelled;
        }
    } else {
        misspelled = record->misspelled;
    }
    QList<Range> ranges;
    const int position = block.position();
    for (const Range &word : std::as_const(misspelled)) {
        const int start = position + word.first;
        if (word.first < from || word.first + word.second > to)
            continue;
        if (typed.second > 0 && start < typed.first + typed.second && start + word.second > typed.first)
            continue;
        ranges.append({start, word.second});
    }
    return ranges;
}

void InlineSpelling::check()
{
    watchDocument();
    if (!m_enabled || !m_checker.isReady() || !m_document) {
        show({});
        Q_EMIT checked();
        return;
    }
    const QRectF now = band();
    // Sideways scrolling matters only to a paragraph too long to be checked whole.
    const bool moved = now.top() != m_band.top() || now.size() != m_band.size()
        || (m_bandHasLongParagraph && now.left() != m_band.left());
    const Range typed = typedWord();
    QList<Range> ranges;
    if (moved || m_checkAll || m_bandStart.isNull() || m_bandStart.document() != m_document) {
        // The whole band: its paragraphs from the top of the band to its bottom.
        m_band = now;
        m_bandHasLongParagraph = false;
        // The fonts a file declared change only with the document; read again with each whole check.
        m_symbolFamiliesRead = false;
        const QAbstractTextDocumentLayout &layout = *m_document->documentLayout();
        QTextBlock block = firstBlockOfBand(now);
        m_bandStart = QTextCursor(block);
        for (int blocks = 0; block.isValid() && blocks < kMostBlocksChecked; block = block.next(), ++blocks) {
            if (blocks > 0 && layout.blockBoundingRect(block).top() > now.bottom())
                break;
            ranges += misspelledIn(block, now, typed);
            m_bandEnd = QTextCursor(block);
            m_bandEnd.movePosition(QTextCursor::EndOfBlock);
        }
    } else {
        // Only the paragraphs changed since the last check, and the one the typed word was in:
        // the underlines elsewhere have moved with the text by themselves.
        // The band's ends are compared by paragraph: text typed at an end moves it along.
        const int bandFirst = m_bandStart.block().position();
        const int bandLast = m_bandEnd.block().position();
        QList<QTextBlock> blocks;
        for (const QTextCursor &place : std::as_const(m_touched)) {
            const QTextBlock block = m_document->findBlock(place.position());
            if (!blocks.contains(block) && block.position() >= bandFirst && block.position() <= bandLast)
                blocks.append(block);
        }
        for (const Range &range : underlined()) {
            const bool redone = std::any_of(blocks.cbegin(), blocks.cend(), [&](const QTextBlock &block) {
                return range.first >= block.position() && range.first <= block.position() + block.length();
            });
            if (!redone && range.second > 0)
                ranges.append(range);
        }
        for (const QTextBlock &block : std::as_const(blocks))
            ranges += misspelledIn(block, now, typed);
        std::sort(ranges.begin(), ranges.end());
    }
    m_checkAll = false;
    m_touched.clear();
    show(ranges);
    Q_EMIT checked();
}

QList<std::pair<int, int>> InlineSpelling::underlined() const
{
    QList<Range> ranges;
    ranges.reserve(m_underlines.size());
    for (const QTextCursor &cursor : m_underlines)
        ranges.append({cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()});
    return ranges;
}

void InlineSpelling::show(const QList<std::pair<int, int>> &ranges)
{
    // Setting the same underlines again would repaint them for nothing.
    if (underlined() == ranges)
        return;
    m_underlines.clear();
    m_underlines.reserve(ranges.size());
    for (const Range &range : ranges) {
        QTextCursor cursor(m_document);
        cursor.setPosition(range.first);
        cursor.setPosition(range.first + range.second, QTextCursor::KeepAnchor);
        m_underlines.append(cursor);
    }
    m_area.viewport()->update();
}

void InlineSpelling::paint(QPainter &painter, const QRect &exposed) const
{
    if (m_underlines.isEmpty() || !m_document || m_document != m_area.document())
        return;
    // Only the underlines on the screen are drawn; they come in the text's order, so each
    // paragraph is looked up once.
    const QAbstractTextDocumentLayout &layout = *m_document->documentLayout();
    const QPointF scrolled(m_area.horizontalScrollBar()->value(), m_area.verticalScrollBar()->value());
    const QRectF visible = QRectF(exposed).translated(scrolled);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::red, 1));
    painter.translate(-scrolled);
    // The first underline whose paragraph reaches the visible part, found by halving: the
    // paragraphs of the underlines before it end above it.
    const auto above = [&](const QTextCursor &cursor) {
        return layout.blockBoundingRect(m_document->findBlock(cursor.selectionStart())).bottom() < visible.top();
    };
    const auto first = std::partition_point(m_underlines.cbegin(), m_underlines.cend(), above);
    QTextBlock block;
    QPointF origin;
    bool shown = false;
    for (auto it = first; it != m_underlines.cend(); ++it) {
        const int start = it->selectionStart();
        const int end = it->selectionEnd();
        if (end <= start)
            continue;
        if (!block.isValid() || !block.contains(start)) {
            block = m_document->findBlock(start);
            const QRectF rect = layout.blockBoundingRect(block);
            if (rect.top() > visible.bottom())
                break; // the rest are further down
            shown = rect.intersects(visible);
            origin = rect.topLeft() - block.layout()->boundingRect().topLeft();
        }
        if (!shown)
            continue;
        const QTextLayout &lines = *block.layout();
        const int from = start - block.position();
        const int to = end - block.position();
        for (QTextLine line = lines.lineForTextPosition(from); line.isValid() && line.textStart() < to;
             line = lines.lineAt(line.lineNumber() + 1)) {
            const qreal left = origin.x() + line.cursorToX(std::max(from, line.textStart()));
            const qreal right = origin.x() + line.cursorToX(std::min(to, line.textStart() + line.textLength()));
            const qreal y = origin.y() + line.y() + line.ascent() + 2;
            // The wave: up and down every two pixels.
            QPolygonF wave;
            for (qreal x = std::min(left, right); x <= std::max(left, right) + 0.5; x += 2)
                wave << QPointF(x, y + ((int(x - left) / 2) % 2 ? 1.5 : 0));
            painter.drawPolyline(wave);
        }
    }
    painter.restore();
}

InlineSpelling::Word InlineSpelling::misspelledWordAt(const QPoint &viewportPoint) const
{
    if (!m_enabled || !m_checker.isReady() || !m_document || m_document != m_area.document())
        return {};
    const int position = m_area.cursorForPosition(viewportPoint).position();
    const QTextBlock block = m_document->findBlock(position);
    const int offset = position - block.position();
    const int from = std::max(0, offset - kWordReach);
    const int to = std::min(block.length() - 1, offset + kWordReach);
    const QString text = block.text();
    for (const WordSplitter::Word &word :
         WordSplitter::wordsOfBlock(block, text, from, to, WordSplitter::symbolFamilies(*m_document))) {
        if (offset < word.start || offset > word.start + word.length)
            continue;
        const QString found = text.mid(word.start, word.length);
        if (m_checker.isMisspelled(found))
            return {block.position() + word.start, found};
        break;
    }
    return {};
}

void InlineSpelling::replace(const Word &word, const QString &replacement)
{
    if (!word.isValid() || !m_document || word.start + word.text.size() >= m_document->characterCount()
        || textBetween(*m_document, word.start, word.start + int(word.text.size())) != word.text)
        return;
    // Only what differs is replaced, so the letters that stay keep their own formats.
    const QString &old = word.text;
    const int shorter = int(std::min(old.size(), replacement.size()));
    int same = 0;
    while (same < shorter && old[same] == replacement[same])
        ++same;
    int sameEnd = 0;
    while (sameEnd < shorter - same && old[old.size() - 1 - sameEnd] == replacement[replacement.size() - 1 - sameEnd])
        ++sameEnd;
    const int from = word.start + same;
    const int to = word.start + int(old.size()) - sameEnd;
    if (from == to && same + sameEnd == replacement.size())
        return;
    // The new letters take the format of the first letter they replace, else of the letter
    // before them, else of the word's first letter.
    QTextCursor probe(m_document);
    probe.setPosition(to > from ? from + 1 : (from > word.start ? from : word.start + 1));
    const QTextCharFormat format = probe.charFormat();
    QTextCursor edit(m_document);
    edit.setPosition(from);
    edit.setPosition(to, QTextCursor::KeepAnchor);
    edit.beginEditBlock();
    edit.insertText(replacement.mid(same, replacement.size() - same - sameEnd), format);
    edit.endEditBlock();
}
