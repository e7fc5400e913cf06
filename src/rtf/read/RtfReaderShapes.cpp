// Floating shapes (\shp): a picture that text flows around is read from its shape's pib
// property and placed in the text where the shape is anchored, as the editing area has no
// floating objects. What \shprslt repeats of it for older readers is then skipped.
// A text box (a shape whose \shptxt holds paragraphs) is kept whole, as the file has it, where
// it is anchored, as a footnote is: the editing area has no place for its paragraphs, and its
// \shprslt copy shown in the text would be saved as the document's own words.
#include "rtf/read/RtfReader.h"

#include <cctype>

using RtfControlWords::Action;

namespace {

constexpr qsizetype maxPropertyName = 64;

} // namespace

void RtfReader::beginShape()
{
    // a group of shapes holds shapes of its own: its result follows them all
    if (top().destination != RtfDestination::Shape)
        m_shapePicturePlaced = false;
    m_shapeProperty.clear();
    startDestination(RtfDestination::Shape);
}

void RtfReader::applyInShape(RtfControlWords::Entry entry, const RtfTokenizer::Token &token)
{
    if (top().destination == RtfDestination::ShapePropertyName) {
        if (entry.action == Action::SkipDestination)
            startDestination(RtfDestination::Skip);
        return;
    }
    const QByteArrayView word = token.text;
    if (word == "sp" || word == "shp" || entry.action == Action::ShapeInstructions)
        return;   // a property, or a shape of a group: read on
    if (word == "sn") {
        m_shapeProperty.clear();
        startDestination(RtfDestination::ShapePropertyName);
    } else if (word == "sv") {
        if (m_shapeProperty != "pib")
            startDestination(RtfDestination::Skip);
    } else if (entry.action == Action::Picture && m_shapeProperty == "pib" && !m_picture) {
        m_picture.emplace();
        startDestination(RtfDestination::Picture);
    } else if (entry.action == Action::Picture || entry.action == Action::SkipDestination
               || entry.action == Action::ShapeResult) {
        startDestination(RtfDestination::Skip);
    }
}

void RtfReader::shapePropertyNameText(QByteArrayView text)
{
    for (char c : text) {
        if (c != ' ' && m_shapeProperty.size() < maxPropertyName)
            m_shapeProperty.append(c);
    }
}

// Whether the \shp group just opened holds a \shptxt. A group inside one already looked
// through without finding any holds none, so nested shapes are looked through once.
bool RtfReader::holdsTextBox()
{
    const qsizetype start = top().groupStart;
    if (start < m_noTextBoxBefore || start < 0)
        return false;
    int depth = 0;
    qsizetype i = start;
    for (; i < m_input.size(); ++i) {
        const char c = m_input[i];
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth == 0)
                break;
        } else if (c == '\\') {
            if (m_input.sliced(i + 1).startsWith("shptxt")
                && (i + 7 >= m_input.size() || !std::isalpha(static_cast<unsigned char>(m_input[i + 7]))))
                return true;
            ++i;   // an escaped brace or backslash
        }
    }
    m_noTextBoxBefore = i;
    return false;
}

// A picture goes into the text from the body, or from a shape anchored there.
bool RtfReader::placesPicture()
{
    const RtfGroupState &state = top();
    return !state.chars.hidden
        && (state.destination == RtfDestination::Body || state.destination == RtfDestination::Shape);
}
