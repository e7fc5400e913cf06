// Word's associated fonts: each character is shown in the font of its own class, whichever
// class the file named last. Word names all three classes before most runs, so the last one
// named says nothing of the text that follows.
#include "rtf/read/RtfReader.h"

#include <algorithm>

namespace {

enum CharClass { LowAnsi, HighAnsi, DoubleByte, RightToLeft };

CharClass classOf(char16_t unit)
{
    if (unit < 0x80)
        return LowAnsi;
    if ((unit >= 0x0590 && unit <= 0x08FF) || (unit >= 0xFB1D && unit <= 0xFDFF) || (unit >= 0xFE70 && unit <= 0xFEFF))
        return RightToLeft;
    // Chinese, Japanese and Korean scripts and their punctuation; a surrogate pair stays
    // together in this class, which holds most of what lies beyond the first plane.
    if ((unit >= 0x1100 && unit <= 0x11FF) || (unit >= 0x2E80 && unit <= 0xA4CF) || (unit >= 0xA960 && unit <= 0xA97F)
        || (unit >= 0xAC00 && unit <= 0xDFFF) || (unit >= 0xF900 && unit <= 0xFAFF) || (unit >= 0xFE30 && unit <= 0xFE4F)
        || (unit >= 0xFF00 && unit <= 0xFFEF))
        return DoubleByte;
    return HighAnsi;
}

bool showsOneFont(const RtfCharProps &props)
{
    return std::all_of(std::begin(props.classFonts), std::end(props.classFonts),
                       [&props](int font) { return font == props.font; });
}

} // namespace

void RtfGroupState::resolveFonts()
{
    chars.font = effectiveFont();
    for (int i = 0; i < 3; ++i)
        chars.classFonts[i] = classFonts[i] >= 0 ? classFonts[i] : plainFont;
    // right-to-left letters lie in the upper half of their code pages
    chars.classFonts[RightToLeft] = classFonts[RightToLeft] >= 0 ? classFonts[RightToLeft] : chars.classFonts[HighAnsi];
}

void RtfReader::startShownRun(const RtfCharProps &props)
{
    m_runByClass = !showsOneFont(props);
    m_runShownFont = props.font;
    if (m_runByClass) {
        for (int i = 0; i < 4; ++i)
            m_classSymbols[i] = symbolMapOf(props.classFonts[i]);
    }
}

// Text of the current run, each character in its class's font. The text was read as the run's
// font reads it; a class shown in a symbol font that font does not name shows its symbols, as
// the text written in that font reads back.
void RtfReader::appendShown(QStringView text)
{
    if (!m_runByClass) {
        m_builder.appendText(text);
        return;
    }
    QString shownText;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        CharClass charClass = classOf(text[i].unicode());
        if (m_classSymbols[charClass] != m_runSymbols) {
            if (const QChar shown = shownCharacter(text[i], m_classSymbols[charClass]); shown != text[i]) {
                if (shownText.isNull())
                    shownText = text.toString();
                shownText[i] = shown;
                text = shownText;
                charClass = classOf(shown.unicode());
            }
        }
        const int font = m_runProps.classFonts[charClass];
        if (font == m_runShownFont)
            continue;
        m_builder.appendText(text.sliced(start, i - start));
        start = i;
        RtfCharProps shown = m_runProps;
        shown.font = font;
        m_builder.setCharFormat(formatFor(shown));
        m_runShownFont = font;
    }
    m_builder.appendText(text.sliced(start));
}
