// Floating shapes (\shp): a picture that text flows around is read from its shape's pib
// property and placed in the text where the shape is anchored, as the editing area has no
// floating objects. What \shprslt repeats of it for older readers is then skipped.
#include "rtf/read/RtfReader.h"

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

// A picture goes into the text from the body, or from a shape anchored there.
bool RtfReader::placesPicture()
{
    const RtfGroupState &state = top();
    return !state.chars.hidden
        && (state.destination == RtfDestination::Body || state.destination == RtfDestination::Shape);
}
