// Sections: the editing area has none, so a section break is kept with the paragraph that
// ends the section, as the words that set up the section after it, and written back there.
// The first section's words go with the document's own.
#include "rtf/read/RtfReader.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextTable>

namespace {

// more than any section needs, so that a file repeating them cannot make them grow for ever
constexpr qsizetype maxSectionWords = 1024;

} // namespace

// A section break is no paragraph of its own: it ends the paragraph in front of it, and that
// paragraph ends the section. Right after a paragraph mark (no \pard between), it ends the
// paragraph that the mark ended, as LibreOffice reads it; after a \pard, it ends the empty
// paragraph that begins there, as Word writes one.
void RtfReader::endSection()
{
    keepSectionBreak();
    m_inLaterSection = true;
    if (!acceptsBodyText() || tableLevel() > 0) {
        endParagraph();   // a break in a table or a destination is read as a paragraph's end
        return;
    }
    if (!m_builder.paragraphIsEmpty() || !m_pendingBytes.isEmpty() || !m_afterParagraphMark)
        endParagraph();
    flushBytes();
    // A table read is put in the document later, with what follows it: a break after one is a
    // paragraph's end, as before sections were kept.
    if (m_builder.hasRecorded())
        return;
    const QTextBlock ended = m_document.findBlock(m_builder.position()).previous();
    // a paragraph in a table is written as the table's, where no break can follow it
    if (ended.isValid() && !QTextCursor(ended).currentTable())
        m_sectionEnd.emplace(ended);
}

void RtfReader::applySectionWord(const RtfTokenizer::Token &token)
{
    if (top().destination != RtfDestination::Body)
        return;
    const bool first = !m_inLaterSection;
    if (token.text == "sectd") {
        // the words of the section start again; the first section starts from them anyway
        if (!first)
            m_sectionWords.clear();
        return;
    }
    QByteArray word = '\\' + token.text.toByteArray();
    if (token.hasParameter)
        word += QByteArray::number(token.parameter);
    QByteArray &words = first ? m_kept.documentWords : m_sectionWords;
    // the first section's words are said once, however often its \sectd repeats them
    if (words.size() > maxSectionWords || (first && words.contains(word)))
        return;
    words += word;
}

// The words read since the last break go with the paragraph that ended its section.
void RtfReader::keepSectionBreak()
{
    if (!m_sectionEnd)
        return;
    // The paragraph in front of a table is the one Qt keeps there, which the table's reading
    // takes over: a break there is not kept, rather than kept on a paragraph it does not end.
    const QTextBlock next = m_sectionEnd->block().next();
    if (next.isValid() && QTextCursor(next).currentTable()) {
        m_sectionEnd.reset();
        m_sectionWords.clear();
        return;
    }
    QTextBlockFormat format;
    format.setProperty(SectionBreak::settings, "\\sectd" + std::exchange(m_sectionWords, {}));
    format.setProperty(SectionBreak::number, ++m_sectionBreaks);
    m_sectionEnd->mergeBlockFormat(format);
    m_sectionEnd.reset();
}
