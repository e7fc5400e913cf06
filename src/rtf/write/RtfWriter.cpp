#include "rtf/write/RtfWriter.h"

#include "rtf/KeptRtfParts.h"
#include "rtf/TableContinuation.h"
#include "rtf/write/KeptRtfRenumbering.h"
#include "rtf/write/RtfPictureWriter.h"
#include "rtf/write/RtfWriterUnits.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <cstring>
#include <utility>

RtfWriter::RtfWriter(const QTextDocument &document)
    : m_document(document),
      m_body(document.characterCount() + document.characterCount() / 4 + 1024),
      m_fonts(document.defaultFont().family()),
      m_lists(document),
      m_defaultFont(document.defaultFont())
{
    const KeptRtfParts kept = keptRtfParts(document);
    m_fonts.setDeclaredCharsets(kept.fontCharsets);
    m_fonts.setDeclaredLooks(kept.fontClasses, kept.fontPitches);
    m_documentGroups = kept.documentGroups;
    if (!kept.laterSectionGroups.isEmpty())
        m_documentGroups.append("{\\*\\corvalasections " + kept.laterSectionGroups.join() + '}');
    m_keptTables = kept.tables;
    m_documentWords = kept.documentWords;
    if (kept.codePage > 0)
        m_codePage = kept.codePage;
    m_fonts.setKeptCodePage(m_codePage);
}

RtfWriter::RtfWriter(const QTextDocument &document, int from, int to)
    : m_document(document),
      m_body(std::max(to - from, 0) + std::max(to - from, 0) / 4 + 1024),
      m_fonts(document.defaultFont().family()),
      m_lists(document, from, to),
      m_defaultFont(document.defaultFont()),
      m_from(from),
      m_to(to)
{
}

QByteArray RtfWriter::write()
{
    writeBody();
    return inFrontOfBody(front());
}

// The tables that go in front of the body are known only once the body is written: it is
// written twice, first only to learn them, then to the sink. The same document, written the same
// way, names the same fonts, colours and lists.
void RtfWriter::write(const QTextDocument &document, const RtfOutput::Sink &sink)
{
    sink(writeBodyFirst(document, {}));
    writeBodyFirst(document, sink);
}

QByteArray RtfWriter::writeBodyFirst(const QTextDocument &document, const RtfOutput::Sink &bodySink)
{
    return bodyFirst(bodySink, [&] { return RtfWriter(document); });
}

QByteArray RtfWriter::writeBodyFirst(const QTextDocument &document, int from, int to, const RtfOutput::Sink &bodySink)
{
    return bodyFirst(bodySink, [&] { return RtfWriter(document, from, to); });
}

template <typename MakeWriter>
QByteArray RtfWriter::bodyFirst(const RtfOutput::Sink &bodySink, MakeWriter makeWriter)
{
    RtfWriter writer = makeWriter();
    writer.m_body.passOn(bodySink);
    writer.writeBody();
    writer.m_body.raw("}\r\n");
    writer.m_body.passOnRest();
    return writer.front();
}

void RtfWriter::writeBody()
{
    writeFrameContents(*m_document.rootFrame(), 0);
    closeRun();
    closeLink();
    // with no text after them, they end the document, and go with its last character
    if (!m_groupsForNextText.isEmpty())
        m_body.raw(std::exchange(m_groupsForNextText, QByteArray()));
}

QByteArray RtfWriter::front()
{
    // Every run names its font, so the default font is only for the kept groups' text that
    // names none (after \plain, say): it is the one their file had. So is the code page: where
    // no kept group is written (its text was deleted), the file is the writer's own.
    const bool keptGroups = m_keptGroupsWritten || !m_documentGroups.isEmpty();
    const int defaultFont = keptGroups ? std::max(savedFontIndex(m_keptTables, m_keptTables.defaultFont, m_fonts), 0) : 0;
    QList<QByteArray> documentGroups;
    for (const QByteArray &group : m_documentGroups)
        documentGroups.append(renumberKeptGroups(group, m_keptTables, m_fonts, m_colors));

    // The tables are complete only now that every run has been seen; they go before the body.
    RtfOutput out(4096);
    out.raw("{\\rtf1\\ansi");
    out.controlWord("ansicpg", keptGroups ? m_codePage : 1252);
    out.controlWord("deff", defaultFont);
    out.raw("\\uc1\r\n");
    m_fonts.write(out);
    m_colors.write(out);
    m_lists.writeTables(out);
    for (const QByteArray &group : documentGroups) {
        out.raw(group);
        out.raw("\r\n");
    }
    out.raw(m_documentWords);
    out.raw("{\\*\\generator Corvala Software;}\\viewkind4\r\n");
    return out.take();
}

// The body's own buffer becomes the file: the body is moved along once to make room for what
// goes in front of it, rather than copied after it, so that it is never held twice (the body of
// a 16 MB document is 20 MB).
QByteArray RtfWriter::inFrontOfBody(const QByteArray &front)
{
    QByteArray bytes = m_body.take();
    const qsizetype bodySize = bytes.size();
    bytes.resize(front.size() + bodySize);
    std::memmove(bytes.data() + front.size(), bytes.constData(), size_t(bodySize));
    std::memcpy(bytes.data(), front.constData(), size_t(front.size()));
    bytes.append("}\r\n");
    return bytes;
}

// `tableLevel` is the depth of tables the frame is in: 0 for the document itself.
void RtfWriter::writeFrameContents(const QTextFrame &frame, int tableLevel)
{
    for (auto it = frame.begin(); !it.atEnd(); ++it) {
        if (QTextFrame *child = it.currentFrame()) {
            if (outsideRange(child->firstPosition() - 1, child->lastPosition()))
                continue;
            auto *table = qobject_cast<QTextTable *>(child);
            if (table && tableLevel < maxTableLevel)
                writeTable(*table, tableLevel + 1);
            else
                writeFrameContents(*child, tableLevel);   // a frame reads as its paragraphs
        } else {
            const QTextBlock block = it.currentBlock();
            if (block.position() > m_to)
                break;
            if (TableContinuation::isSeam(block)) {
                // the next table's rows are the last one's next rows; a file that started
                // with its table starts with it again
                m_rowsContinue = block.position() > 0 && !outsideRange(block.position() - 1, block.position());
                continue;
            }
            if (!outsideRange(block.position(), block.position() + block.length() - 1))
                writeBlock(block, tableLevel);
        }
    }
}

void RtfWriter::endParagraph(const char *word)
{
    if (!m_paragraphOpen)
        return;
    closeRun();
    closeLink();
    // a paragraph that ends a section is ended by the break, and the next section's words follow
    const bool endsSection = !m_nextSection.isEmpty() && std::strcmp(word, "par") == 0;
    m_body.controlWord(endsSection ? "sect" : word);
    if (endsSection)
        m_body.raw(std::exchange(m_nextSection, {}));
    m_paragraphOpen = false;
}

// The marker as the list shows it, for readers that know no list tables; those that do skip it.
// Its \pard keeps the paragraph in its table, as Word writes it.
void RtfWriter::writeListText(const QTextBlock &block, int tableLevel)
{
    if (!block.textList())
        return;
    m_body.raw("{\\listtext\\pard\\plain");
    writeTableLevel(tableLevel);
    const int markerInText = RtfListWriter::markerLengthInText(block);
    if (markerInText > 0) {
        // a marker that is the paragraph's text keeps that text's format, and reads back as
        // the same text with the blank that follows it (a tab, a space, none)
        const QTextFragment first = block.begin().fragment();
        const RunFormat &format = runFormat(first.charFormatIndex(), [&] { return first.charFormat(); });
        m_body.controlWords(format.words);
        m_body.raw(" ");
        m_body.text(block.text().left(markerInText), format.asUnicode);
    } else {
        // The list draws it in no font of its own. Named, it reads back as these characters
        // whatever the default font is: a symbol font there would read a bullet from them.
        const int font = m_fonts.lettersIndexOf(m_defaultFont.family());
        m_body.controlWord("f", font);
        m_body.raw(" ");
        m_body.text(RtfListWriter::markerOf(block), m_fonts.asciiReadOtherwise(font));
        m_body.controlWord("tab");
    }
    m_body.raw("}");
}

// The words of the section that a paragraph ends, if it ends one: the paragraphs Enter made of
// it end it after the last of them.
QByteArray RtfWriter::nextSectionWords(const QTextBlock &block)
{
    const QTextBlockFormat format = block.blockFormat();
    if (!format.hasProperty(SectionBreak::number))
        return {};
    const QTextBlock next = block.next();
    if (next.isValid() && next.blockFormat().property(SectionBreak::number) == format.property(SectionBreak::number))
        return {};
    return format.property(SectionBreak::settings).toByteArray();
}

void RtfWriter::writeBlock(const QTextBlock &block, int tableLevel)
{
    m_body.passOnIfFull();
    // Paragraphs are separated, not terminated: a \par after the last one would read back as
    // an extra empty paragraph.
    endParagraph("par");
    m_body.raw("\r\n");
    m_nextSection = nextSectionWords(block);
    // A range takes the text of its first paragraph without the paragraph's format, unless it
    // starts at the document's start; it ends inside a paragraph or at the start of one, which
    // is then its empty last paragraph.
    const int blockStart = block.position();
    const bool partStart = blockStart < m_from || (blockStart == m_from && m_from > 0);
    // an item's marker that is text goes out as its marker only
    const int from = std::max(m_from, blockStart + (partStart ? 0 : RtfListWriter::markerLengthInText(block)));
    const int to = std::min(m_to, blockStart + block.length() - 1);
    const bool last = m_to <= blockStart + block.length() - 1 || !block.next().isValid();
    m_rowsContinue = false;
    // A seam with text in it is a paragraph like any other, not one that takes no room.
    const bool plain = partStart || block.blockFormat().hasProperty(TableContinuation::property);
    m_body.controlWords(plain ? plainParagraphWords() : paragraphWords(block));
    writeTableLevel(tableLevel);
    m_paragraphOpen = true;
    if (m_charWordsOutsideRuns) {
        m_body.controlWord("plain");
        m_charWordsOutsideRuns = false;
    }
    if (!partStart)
        writeListText(block, tableLevel);
    // Footnotes and comments kept at the characters of a marker that is text go out with the
    // text after it, in this paragraph or a later one, as a file that has them before any
    // text of an item reads: \listtext carries none.
    if (from > blockStart && !partStart)
        m_groupsForNextText += groupsKeptBefore(block, from);
    if (to <= from) {
        if (last)
            return;   // the last paragraph has no end mark to carry a format
        // An empty paragraph keeps its size and font in the words in effect at its end mark,
        // outside any run; \plain takes them back at the next paragraph. An item that holds
        // only its marker as text ends in the format its marker is written in (\listtext), as
        // typing there goes on in it: its block's own format is what the paragraph before it
        // ended in, which a file does not say.
        const bool onlyMarker = !partStart && from > blockStart;
        const QTextFragment marker = onlyMarker ? block.begin().fragment() : QTextFragment();
        QTextCharFormat markFormat = partStart ? QTextCharFormat() : onlyMarker ? marker.charFormat() : block.charFormat();
        // The first paragraph of a table cell has the cell's format, whose shading is no
        // highlight of the text.
        if (markFormat.isTableCellFormat())
            markFormat.clearProperty(QTextFormat::BackgroundBrush);
        const int markIndex = partStart ? plainCharFormatIndex
            : onlyMarker                ? marker.charFormatIndex()
                                        : block.charFormatIndex();
        m_body.controlWords(runFormat(markIndex, [&] { return markFormat; }).words);
        m_charWordsOutsideRuns = true;
        return;
    }

    // The block's text once, and each run as a view on it: a fragment's own text() and
    // charFormat() would copy for every run.
    const QString text = block.text();
    qsizetype offset = 0;   // fragments follow one another without gaps
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid())
            continue;
        const qsizetype runStart = std::max<qsizetype>(offset, from - blockStart);
        const qsizetype runEnd = std::min<qsizetype>(offset + fragment.length(), to - blockStart);
        offset += fragment.length();
        if (runStart >= runEnd)
            continue;
        const QStringView run = QStringView(text).sliced(runStart, runEnd - runStart);
        const RunFormat &format =
            runFormat(fragment.charFormatIndex(), [&] { return fragment.charFormat(); });
        if (format.link != m_openLink) {
            closeRun();
            closeLink();
            openField(format);
        }
        openRun(format);
        if (!m_groupsForNextText.isEmpty())
            m_body.raw(std::exchange(m_groupsForNextText, QByteArray()));
        if (format.anchor && !m_anchorsWritten.contains(format.anchor)) {
            writeAnchoredText(run, format);
        } else if (format.isImage) {
            // Each object replacement character of an image run is one drawing of the picture.
            for (QChar c : run) {
                if (c == QChar::ObjectReplacementCharacter)
                    writeRtfPicture(m_document, format.image, m_body);
            }
        } else {
            m_body.text(run, format.asUnicode);
        }
    }
}

QByteArray RtfWriter::groupsKeptBefore(const QTextBlock &block, int position)
{
    QByteArray groups;
    for (auto it = block.begin(); !it.atEnd() && it.fragment().position() < position; ++it) {
        // only the groups: a format that is not written names no font in the table
        RunFormat format;
        describeAnchoredGroups(format, it.fragment().charFormat());
        if (!format.anchor || m_anchorsWritten.contains(format.anchor))
            continue;
        m_anchorsWritten.insert(format.anchor);
        groups += format.groupsBefore + format.groupsAfter;
    }
    m_keptGroupsWritten = m_keptGroupsWritten || !groups.isEmpty();
    return groups;
}

const QByteArray &RtfWriter::plainParagraphWords()
{
    if (m_plainParagraphWords.isEmpty()) {
        RtfOutput out;
        writeRtfParagraphFormat(QTextBlockFormat(), m_document.indentWidth(), out);
        m_plainParagraphWords = out.take();
    }
    return m_plainParagraphWords;
}

const QByteArray &RtfWriter::paragraphWords(const QTextBlock &block)
{
    const int index = std::max(block.blockFormatIndex(), 0);
    if (size_t(index) >= m_paragraphWords.size())
        m_paragraphWords.resize(index + 1);
    QByteArray &words = m_paragraphWords[index];
    if (words.isEmpty()) {
        RtfOutput out;
        writeRtfParagraphFormat(m_lists.paragraphFormat(block), m_document.indentWidth(), out);
        if (const auto item = m_lists.itemOf(block.textList())) {
            out.controlWord("ls", item->list);
            out.controlWord("ilvl", item->level);
        }
        words = out.take();
    }
    return words;
}

const RtfWriter::RunFormat &RtfWriter::runFormat(int formatIndex,
                                                     const std::function<QTextCharFormat()> &charFormatOf)
{
    // The plain format, which the document need not hold, has a place of its own.
    if (formatIndex == plainCharFormatIndex) {
        if (m_plainRun.words.isEmpty())
            describeRun(m_plainRun, charFormatOf());
        return m_plainRun;
    }
    const int index = std::max(formatIndex, 0);
    if (size_t(index) >= m_runFormats.size())
        m_runFormats.resize(index + 1);
    RunFormat &format = m_runFormats[index];
    if (format.words.isEmpty())
        describeRun(format, charFormatOf());
    return format;
}

void RtfWriter::describeRun(RunFormat &format, const QTextCharFormat &charFormat)
{
    RtfOutput out;
    format.asUnicode = m_fonts.asciiReadOtherwise(writeRtfCharFormat(charFormat, m_defaultFont, m_fonts, m_colors, out));
    format.words = out.take();
    format.isImage = charFormat.isImageFormat();
    if (charFormat.isAnchor())
        format.link = charFormat.anchorHref();
    describeField(format, charFormat);
    if (format.isImage)
        format.image = charFormat.toImageFormat();
    describeAnchoredGroups(format, charFormat);
}

void RtfWriter::describeAnchoredGroups(RunFormat &format, const QTextCharFormat &charFormat)
{
    if (!charFormat.hasProperty(AnchoredGroups::anchor))
        return;
    format.anchor = charFormat.intProperty(AnchoredGroups::anchor);
    const auto tables = charFormat.property(AnchoredGroups::tables).value<KeptRtfTables>();
    format.groupsBefore = renumberKeptGroups(charFormat.property(AnchoredGroups::before).toByteArray(),
                                             tables, m_fonts, m_colors);
    format.groupsAfter = renumberKeptGroups(charFormat.property(AnchoredGroups::after).toByteArray(),
                                            tables, m_fonts, m_colors);
}

// The groups kept at a character go around its first character, once: text typed next to it
// takes its format, and must not repeat a footnote.
void RtfWriter::writeAnchoredText(QStringView run, const RunFormat &format)
{
    m_anchorsWritten.insert(format.anchor);
    m_keptGroupsWritten = m_keptGroupsWritten || !format.groupsBefore.isEmpty() || !format.groupsAfter.isEmpty();
    const qsizetype first = run.size() > 1 && run[0].isHighSurrogate() && run[1].isLowSurrogate() ? 2 : 1;
    if (!format.groupsBefore.isEmpty())   // an empty raw write would swallow a word's delimiter
        m_body.raw(format.groupsBefore);
    if (format.isImage) {
        if (run.first(first) == QStringView(u"\uFFFC"))
            writeRtfPicture(m_document, format.image, m_body);
    } else {
        m_body.text(run.first(first), format.asUnicode);
    }
    if (!format.groupsAfter.isEmpty())
        m_body.raw(format.groupsAfter);
    if (format.isImage) {
        for (QChar c : run.sliced(first)) {
            if (c == QChar::ObjectReplacementCharacter)
                writeRtfPicture(m_document, format.image, m_body);
        }
    } else {
        m_body.text(run.sliced(first), format.asUnicode);
    }
}

void RtfWriter::openRun(const RunFormat &format)
{
    // Formats that differ only in what RTF does not carry (a link, a tooltip) write the same
    // words, and the same words are one run: what is read back is written the same way again.
    if (m_openRun && (m_openRun == &format || m_openRun->words == format.words))
        return;
    closeRun();
    m_body.raw("{");
    m_body.controlWords(format.words);
    m_openRun = &format;
}

void RtfWriter::closeRun()
{
    if (!m_openRun)
        return;
    m_body.raw("}");
    m_openRun = nullptr;
}

void RtfWriter::openLink(const QString &link)
{
    if (link.isEmpty())
        return;
    // A link is a HYPERLINK field whose result is the runs it covers. The quotes around the
    // address end it, so a quote inside it goes out percent-encoded, as in any URL.
    m_body.raw("{\\field{\\*\\fldinst{HYPERLINK \"");
    m_body.text(QString(link).replace(u'"', QLatin1String("%22")));
    m_body.raw("\"}}{\\fldrslt");
    m_openLink = link;
}

void RtfWriter::closeLink()
{
    if (m_openLink.isEmpty())
        return;
    m_body.raw("}}");
    m_openLink.clear();
}
