// List paragraphs as items of the editing area's lists: the styles their list levels (\ls with
// \listtable) or their older numbering (\pn) define, and the markers their files wrote out.
#include "rtf/read/RtfReader.h"

#include <utility>

#include <QTextDocument>
#include <QTextList>

using RtfControlWords::Action;

namespace {

constexpr std::size_t maxNumberings = 4096;

// The one character a bullet level's text shows, if it shows one.
std::optional<QTextListFormat::Style> bulletStyleOfText(const QString &text)
{
    const QString shown = text.trimmed();
    return shown.size() == 1 ? RtfListStyle::bulletStyleOf(shown[0]) : std::nullopt;
}

// A numbered style whose marker, written out, would read back as another ("1.7U": a suffix
// with digits or letters): no list draws it, so that the marker written is the one read.
bool readsBack(const RtfListStyle &style)
{
    if (style.isBullet())
        return true;
    const auto marker = RtfListMarker::parse(style.prefix + RtfListStyle::numberText(1, style.style) + style.suffix, style);
    return marker && marker->style == style;
}

} // namespace

// A list paragraph whose file does not write out its number or bullet shows the one its list
// level gives: drawn by its list where a list style draws it, else as text at the
// paragraph's start, read as if the file had written it: Save As writes it out (\listtext),
// and what is read back from there must be the same list item.
void RtfReader::emitListMarker()
{
    const RtfParaProps &para = top().para;
    if (!inLevelList(para) || m_lists.marker.written || top().destination != RtfDestination::Body)
        return;
    if (const auto style = levelStyle(para); style && m_lists.items.accepts(para.list, para.listLevel, *style)) {
        m_lists.marker.stored.levelDrawn = true;
        return;
    }
    QString marker = m_lists.numbering.marker(para.list, para.listLevel, [this](QChar ch, int font) {
        return listCharacter(ch, font);
    });
    marker.removeIf([](QChar c) { return isDroppedControl(c.unicode()); });   // as in any text
    // It is text of the paragraph's run now, read back as that run's characters are: in its
    // font, or the document's default font where it names none.
    for (QChar &ch : marker)
        ch = shownCharacter(ch, m_runSymbols);
    if (marker.isEmpty())
        return;
    markerStartsHere();
    appendShown(marker);   // each character in the font its class is shown in, as it shows it
    markerEndsHere();
}

void RtfReader::markerStartsHere()
{
    flushBytes();
    m_lists.marker.stored.first = m_builder.paragraphIsEmpty();
    m_lists.marker.stored.start = m_builder.position();
}

void RtfReader::markerEndsHere()
{
    RtfStoredMarker &stored = m_lists.marker.stored;
    stored.end = m_builder.position();
    stored.text = m_builder.textFrom(stored.start);
}

// Whether nothing was read after the paragraph's marker.
bool RtfReader::rightAfterMarker()
{
    const RtfStoredMarker &stored = m_lists.marker.stored;
    return stored.start >= 0 && stored.end >= 0 && m_builder.position() == stored.end;
}

// \ls0 is a list where the file's list override table has one of that number (LibreOffice
// numbers them from 0); Word numbers from 1.
bool RtfReader::inLevelList(const RtfParaProps &para) const
{
    return para.list > 0 || (para.list == 0 && m_lists.numbering.levelsOf(0));
}

void RtfReader::beginListText()
{
    m_lists.marker.written = true;
    if (m_lists.marker.stored.start >= 0 || m_lists.marker.depth > 0)
        return;   // one marker a paragraph
    markerStartsHere();
    m_lists.marker.depth = m_stack.size();
}

void RtfReader::endListText()
{
    m_lists.marker.depth = 0;
    resolveDanglingSurrogate();
    flushBytes();
    if (m_lists.marker.stored.start >= 0)
        markerEndsHere();
}

// Groups kept right after a marker that stays text stay after it. The marker's place is
// one of the text it was read into, so this comes before a table level changes.
void RtfReader::keepGroupsAfterForgottenMarker()
{
    if (const int at = std::exchange(m_lists.marker.stored.groupsAfter, -1); at >= 0)
        m_builder.keepGroupsWithCharacterBefore(at);
}

// Where a marker is no longer holds once a table's row or level ends: that marker stays
// text. A marker being read goes on from here, as a table's first marker begins before the
// words inside it that put its paragraph in the table.
void RtfReader::forgetListText()
{
    keepGroupsAfterForgottenMarker();
    RtfStoredMarker &stored = m_lists.marker.stored;
    const bool beingRead = m_lists.marker.depth > 0;
    stored.start = beingRead ? m_builder.position() : -1;
    stored.first = beingRead && m_builder.paragraphIsEmpty();
    stored.end = -1;
    stored.text.clear();
}

void RtfReader::startParagraphNumbering()
{
    startDestination(RtfDestination::ParagraphNumbering);
    if (m_lists.paragraphNumberings.size() < maxNumberings)
        m_lists.paragraphNumberings.emplace_back();
    else
        m_lists.paragraphNumberings.back() = {};
    // \pn is a paragraph property in a group of its own: it holds for the paragraph around it.
    const int index = int(m_lists.paragraphNumberings.size() - 1);
    top().para.numbering = index;
    if (m_stack.size() > 1)
        m_stack[m_stack.size() - 2].para.numbering = index;
}

void RtfReader::applyInParagraphNumbering(RtfControlWords::Entry entry, const RtfTokenizer::Token &token)
{
    using namespace RtfControlWords;
    if (entry.action == Action::SkipDestination) {
        startDestination(RtfDestination::Skip);
        return;
    }
    if (entry.action != Action::ListProperty || m_lists.paragraphNumberings.empty())
        return;
    RtfParagraphNumbering &numbering = m_lists.paragraphNumberings.back();
    const int parameter = token.parameter;
    switch (ListProperty(entry.value)) {
    case NumberingBullet: numbering.bullet = true; numbering.level = 0; break;
    case NumberingBody: numbering.bullet = false; numbering.level = 0; break;
    case NumberingContinue: numbering.continuation = true; break;
    case NumberingLevel: numbering.level = std::clamp(parameter, 1, 9); break;
    case NumberingDecimal: numbering.format = RtfListNumbering::Decimal; break;
    case NumberingUpperRoman: numbering.format = RtfListNumbering::UpperRoman; break;
    case NumberingLowerRoman: numbering.format = RtfListNumbering::LowerRoman; break;
    case NumberingUpperLetter: numbering.format = RtfListNumbering::UpperLetter; break;
    case NumberingLowerLetter: numbering.format = RtfListNumbering::LowerLetter; break;
    case NumberingOther: numbering.format = RtfListNumbering::Ordinal; break;
    case NumberingStart: numbering.start = std::clamp(parameter, 0, 1 << 24); break;
    case NumberingFont: numbering.font = parameter; break;
    case NumberingTextAfter:
    case NumberingTextBefore:
        m_lists.numberingTextAfter = entry.value == NumberingTextAfter;
        startDestination(RtfDestination::NumberingText);
        break;
    default:
        break;
    }
}

void RtfReader::numberingText(QChar ch)
{
    if (m_lists.paragraphNumberings.empty())
        return;
    QString &text = m_lists.numberingTextAfter ? m_lists.paragraphNumberings.back().after : m_lists.paragraphNumberings.back().before;
    if (text.size() < 32)
        text.append(ch);
}

// Of the style sheet, only what gives paragraphs their lists is read.
void RtfReader::applyInStyleSheet(RtfControlWords::Entry entry, const RtfTokenizer::Token &token)
{
    using namespace RtfControlWords;
    if (entry.action == Action::SkipDestination) {
        startDestination(RtfDestination::Skip);
        return;
    }
    if (entry.action != Action::ListProperty)
        return;
    RtfStyleLists &styles = m_lists.styles;
    switch (ListProperty(entry.value)) {
    case ParagraphStyle: styles.beginParagraphStyle(token.parameter); break;
    case OtherStyle: styles.beginOtherStyle(); break;
    case StyleBasedOn: styles.setBasedOn(token.parameter); break;
    case ListNumber: styles.setList(token.parameter); break;
    case ListLevelNumber: styles.setListLevel(token.parameter); break;
    default: break;
    }
}

// The style a paragraph's list level defines, when a list style draws it: one number, of the
// paragraph's own level, with text around it, or a bullet shape.
std::optional<RtfListStyle> RtfReader::levelStyle(const RtfParaProps &para) const
{
    const QList<RtfListNumbering::Level> *levels = m_lists.numbering.levelsOf(para.list);
    if (!levels || levels->isEmpty())
        return std::nullopt;
    const int index = std::min<int>(para.listLevel, int(levels->size()) - 1);
    const RtfListNumbering::Level &level = (*levels)[index];
    QString shown;
    int placeholders = 0;
    qsizetype numberAt = -1;
    for (QChar ch : level.text) {
        if (ch.unicode() < 9) {
            ++placeholders;
            numberAt = shown.size();
            if (ch.unicode() != index)
                return std::nullopt;   // another level's number: "1.2."
        } else {
            shown += listCharacter(ch, level.font);
        }
    }
    if (level.format == RtfListNumbering::Bullet) {
        // A bullet level shows no number, whatever its text holds: writers copy a numbered
        // level's text into bullet levels, and word processors then draw a bullet.
        if (placeholders > 0)
            return RtfListStyle{};
        const auto bullet = bulletStyleOfText(shown);
        return bullet ? std::optional(RtfListStyle{*bullet, {}, {}}) : std::nullopt;
    }
    const auto style = RtfListStyle::fromRtfNumberFormat(level.format);
    if (!style || placeholders != 1 || level.startAt != 1)
        return std::nullopt;
    const RtfListStyle defined{*style, shown.left(numberAt), shown.mid(numberAt)};
    return readsBack(defined) ? std::optional(defined) : std::nullopt;
}

std::optional<RtfListStyle> RtfReader::numberingStyle(const RtfParaProps &para) const
{
    if (para.numbering < 0 || size_t(para.numbering) >= m_lists.paragraphNumberings.size())
        return std::nullopt;
    const RtfParagraphNumbering &numbering = m_lists.paragraphNumberings[para.numbering];
    if (numbering.continuation)
        return std::nullopt;
    if (numbering.bullet) {
        QString shown;
        for (QChar ch : numbering.before)
            shown += listCharacter(ch, numbering.font);
        if (shown.trimmed().isEmpty())
            return RtfListStyle{};
        const auto bullet = bulletStyleOfText(shown);
        return bullet ? std::optional(RtfListStyle{*bullet, {}, {}}) : std::nullopt;
    }
    const auto style = RtfListStyle::fromRtfNumberFormat(numbering.format);
    if (!style || numbering.start != 1)
        return std::nullopt;
    const RtfListStyle defined{*style, numbering.before, numbering.after};
    return readsBack(defined) ? std::optional(defined) : std::nullopt;
}

// The paragraph's list, as its properties and the file's tables say.
RtfParagraphList RtfReader::paragraphList(const RtfParaProps &para) const
{
    using Source = RtfParagraphList::Source;
    RtfParagraphList list;
    list.family = para.list;
    list.listLevel = para.listLevel;
    list.leftIndent = para.leftIndent;
    list.firstIndent = para.firstIndent;
    if (inLevelList(para)) {
        list.source = Source::Level;
        list.level = para.listLevel;
        list.defined = levelStyle(para);
    } else if (para.numbering >= 0) {
        const RtfParagraphNumbering &numbering = m_lists.paragraphNumberings[para.numbering];
        if (numbering.continuation) {
            list.source = Source::NumberingContinuation;
            return list;
        }
        list.source = Source::Numbering;
        list.level = std::max(numbering.level - 1, 0);
        list.defined = numberingStyle(para);
    } else {
        return list;
    }
    list.levelDefinition = levelDefinition(para);
    return list;
}

// The level of the paragraph's \ls, its characters in the fonts they are drawn in.
std::optional<RtfLevelDefinition> RtfReader::levelDefinition(const RtfParaProps &para) const
{
    const QList<RtfListNumbering::Level> *levels = m_lists.numbering.levelsOf(para.list);
    if (!levels || levels->isEmpty())
        return std::nullopt;
    const RtfListNumbering::Level &level = (*levels)[std::min<int>(para.listLevel, int(levels->size()) - 1)];
    QString text;
    for (QChar ch : level.text)
        text += ch.unicode() < 9 ? ch : listCharacter(ch, level.font);
    return RtfLevelDefinition{text, level.format, level.startAt};
}

// The paragraph's marker is placed as its list says (RtfListMarkerPlacing), and what the
// paragraph read of its marker starts again for the next.
void RtfReader::placeInList(QTextBlockFormat &format, const RtfParaProps &para)
{
    const RtfStoredMarker marker = std::exchange(m_lists.marker, {}).stored;
    const RtfParagraphList list = paragraphList(para);
    if (list.source == RtfParagraphList::Source::Level)
        m_lists.numbering.count(para.list, para.listLevel);
    const RtfListPlacement placement = m_lists.placing.place(marker, list);
    placement.applyTo(format);
    if (placement.removedFrom >= 0)
        m_builder.removeFrom(placement.removedFrom, placement.removedTo);
    if (placement.groupsBefore >= 0)
        m_builder.keepGroupsWithCharacterBefore(placement.groupsBefore);
}
