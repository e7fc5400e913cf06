#include "rtf/read/RtfReader.h"

#include "base/Failure.h"
#include "rtf/CodePages.h"
#include "rtf/KeptRtfNumbers.h"

#include <QTextDocument>

#include <algorithm>

using RtfControlWords::Action;

namespace {

// Leading white space and a byte-order mark are tolerated; anything else before "{\rtf" means
// the file is something else, and Open then leaves the current document alone.
bool startsAsRtf(QByteArrayView data, qsizetype *start)
{
    qsizetype pos = 0;
    if (data.startsWith("\xEF\xBB\xBF"))
        pos = 3;
    while (pos < data.size() && (data[pos] == ' ' || data[pos] == '\t' || data[pos] == '\r' || data[pos] == '\n'))
        ++pos;
    *start = pos;
    return data.sliced(pos).startsWith("{\\rtf");
}

bool isDestination(Action action)
{
    switch (action) {
    case Action::SkipDestination: case Action::FontTable: case Action::ColorTable:
    case Action::Picture: case Action::FieldInstruction: case Action::FieldResult:
    case Action::ShapePicture: case Action::NonShapePicture: case Action::UnicodeAlternative:
    case Action::UnicodeDestination: case Action::Object: case Action::ObjectResult: case Action::ObjectData:
    case Action::ShapeInstructions: case Action::ShapeResult:
    case Action::ListText: case Action::NestedTableProperties: case Action::ListTable:
    case Action::ParagraphNumbering: case Action::StyleSheet:
    case Action::KeptDocumentGroup: case Action::KeptAnchoredGroup:
        return true;
    default:
        return false;
    }
}

} // namespace

std::unique_ptr<QTextDocument> documentFromRtf(const QByteArray &rtf)
{
    auto document = std::make_unique<QTextDocument>();
    RtfReader(*document).read(rtf);
    return document;
}

RtfReader::RtfReader(QTextDocument &document)
    : m_document(document), m_builder(document), m_lists(document)
{
}

void RtfReader::read(QByteArrayView data)
{
    qsizetype start = 0;
    if (!startsAsRtf(data, &start)) {
        if (data.sliced(start).isEmpty()) {
            // An empty file opens as an empty document, as an empty file should.
            finishDocument({});
            return;
        }
        throw Failure(QStringLiteral("Not a rich text file"));
    }
    RtfTokenizer tokenizer(data.sliced(start));
    m_tokenizer = &tokenizer;
    m_input = data.sliced(start);
    RtfParaProps lastParagraph;
    bool started = false;
    for (;;) {
        const RtfTokenizer::Token token = tokenizer.next();
        if (token.kind == RtfTokenizer::Kind::End)
            break;
        if (m_stack.empty() && started)
            break;   // the document's group has closed; what follows is not part of it
        if (token.kind == RtfTokenizer::Kind::GroupStart) {
            m_skipRemaining = 0;
            pushGroup();
            started = true;
            continue;
        }
        if (m_overflowSkipDepth > 0 && token.kind != RtfTokenizer::Kind::GroupEnd) {
            if (token.kind == RtfTokenizer::Kind::ControlWord && token.text == "bin")
                takeBinary(token);
            continue;
        }
        switch (token.kind) {
        case RtfTokenizer::Kind::GroupEnd:
            m_skipRemaining = 0;
            if (m_stack.size() == 1 && m_overflowDepth == 0)
                lastParagraph = top().para;
            popGroup();
            break;
        case RtfTokenizer::Kind::ControlWord:
            handleControlWord(token);
            break;
        case RtfTokenizer::Kind::ControlSymbol:
            handleControlSymbol(token.symbol);
            break;
        case RtfTokenizer::Kind::HexByte:
            handleHexByte(token.byte);
            break;
        case RtfTokenizer::Kind::Text:
            handleText(token.text);
            break;
        default:
            break;
        }
        m_atGroupStart = false;
    }
    // A file cut short reads as far as it goes.
    if (!m_stack.empty())
        lastParagraph = m_stack.front().para;
    m_picture.reset();
    keepSectionBreak();
    finishDocument(lastParagraph);
    m_tokenizer = nullptr;
}

void RtfReader::pushGroup()
{
    m_starred = false;
    m_atGroupStart = true;
    if (m_stack.empty()) {
        m_stack.emplace_back();
        return;
    }
    const qsizetype groupStart = m_tokenizer ? m_tokenizer->position() - 1 : 0;
    if (m_stack.size() >= maxStateDepth) {
        ++m_overflowDepth;
        return;
    }
    RtfGroupState state = m_stack.back();
    state.ownsDestination = false;
    state.fieldGroup = false;
    state.keep = 0;
    state.groupStart = groupStart;
    state.outputsAtStart = m_bodyOutputs;
    m_stack.push_back(state);
}

void RtfReader::popGroup()
{
    m_starred = false;
    if (m_overflowDepth > 0) {
        if (--m_overflowDepth < m_overflowSkipDepth)
            m_overflowSkipDepth = 0;   // the skipped destination's group has ended
        return;
    }
    if (m_stack.back().fieldGroup)
        fieldEnded();
    const RtfGroupState ended = m_stack.back();
    m_stack.pop_back();
    if (ended.keep && m_tokenizer)
        keepGroup(ended);
    else if (ended.chars.hidden && m_tokenizer)
        keepHiddenGroup(ended);
    if (ended.destination == RtfDestination::StyleSheet)
        m_lists.styles.endStyle();   // each style is a group of the style sheet
    if (ended.ownsDestination)
        endDestination(ended);
    if (m_lists.marker.depth > m_stack.size())
        endListText();
}

void RtfReader::endDestination(const RtfGroupState &ended)
{
    switch (ended.destination) {
    case RtfDestination::Picture:
        if (!m_stack.empty())
            finishPicture();
        m_picture.reset();
        break;
    case RtfDestination::FontTable:
        if (m_fonts.contains(m_fontEntry))
            decodeFontName(m_fonts[m_fontEntry], true);
        m_fontEntry = -1;
        tablesChanged();
        break;
    case RtfDestination::ColorTable:
        tablesChanged();
        break;
    case RtfDestination::FieldInstruction:
        fieldInstructionEnded();
        break;
    default:
        break;
    }
}

void RtfReader::startDestination(RtfDestination destination)
{
    // A destination belongs to the group it starts in; a font table's entries are groups of
    // their own inside the table, which must not end it.
    RtfGroupState &state = top();
    if (state.destination == destination)
        return;
    // A destination word right in the document's own group (a stray \header) would take
    // the whole document with it: the body goes on, and no text is lost or kept twice. (Data
    // left open there ends at the next paragraph mark, as anywhere.)
    const bool data = destination == RtfDestination::Picture || destination == RtfDestination::Object
                      || destination == RtfDestination::ObjectData;
    if (m_stack.size() == 1 && !data)
        return;
    // Groups past the depth the stack holds share its innermost state, which a destination
    // must not change: its group is skipped instead, and when it ends the shared state goes
    // on as before, so the text after it stays text (a field's result is not taken for its
    // instruction).
    if (m_overflowDepth > 0) {
        m_overflowSkipDepth = m_overflowDepth;
        return;
    }
    state.destination = destination;
    state.ownsDestination = true;
}

void RtfReader::handleControlWord(const RtfTokenizer::Token &token)
{
    if (m_skipRemaining > 0) {
        // Within the fallback of \u, a control word counts as one character; \bin and its data
        // count as one together.
        --m_skipRemaining;
        if (token.text == "bin")
            takeBinary(token);
        m_starred = false;
        return;
    }
    const RtfControlWords::Entry entry = RtfControlWords::lookup(token.text);
    if (entry.action == Action::Binary) {
        // The data is skipped everywhere, and kept only inside a picture.
        const QByteArrayView bytes = takeBinary(token);
        if (top().destination == RtfDestination::Picture && m_picture)
            m_picture->appendBinary(bytes);
        return;
    }
    if (m_starred) {
        m_starred = false;
        // \* marks a destination that a reader may skip when it does not know it.
        if (!isDestination(entry.action)) {
            startDestination(RtfDestination::Skip);
            return;
        }
    }
    if ((entry.action == Action::Paragraph || entry.action == Action::ParagraphDefault)
        && abandonUnclosedData())
        return handleControlWord(token);
    RtfGroupState &state = top();
    switch (state.destination) {
    case RtfDestination::Skip:
    case RtfDestination::ObjectData:
        return;
    case RtfDestination::Picture:
        if (entry.action == Action::SkipDestination)
            startDestination(RtfDestination::Skip);
        else if (m_picture && entry.action == Action::PictureType)
            m_picture->setType(OriginalPicture::Type(entry.value), token.hasParameter ? token.parameter : 0);
        else if (m_picture && entry.action == Action::PictureProperty)
            m_picture->setProperty(RtfControlWords::PictureProperty(entry.value), token.hasParameter ? token.parameter : 0);
        return;
    case RtfDestination::UnicodeAlternative:
        if (entry.action == Action::UnicodeDestination)
            startDestination(RtfDestination::Body);
        return;
    case RtfDestination::Object:
        if (entry.action == Action::ObjectResult)
            startDestination(RtfDestination::Body);
        else if (entry.action == Action::ObjectData)
            startDestination(RtfDestination::ObjectData);
        else if (entry.action == Action::SkipDestination)
            startDestination(RtfDestination::Skip);   // \objclass, \objname: no body text
        return;
    case RtfDestination::Shape:
    case RtfDestination::ShapePropertyName:
        applyInShape(entry, token);
        return;
    case RtfDestination::FontTable:
        applyInFontTable(entry, token);
        return;
    case RtfDestination::ListTable:
        applyInListTable(entry, token);
        return;
    case RtfDestination::ParagraphNumbering:
        applyInParagraphNumbering(entry, token);
        return;
    case RtfDestination::StyleSheet:
        applyInStyleSheet(entry, token);
        return;
    case RtfDestination::NumberingText:
    case RtfDestination::ListLevelText:
        if (entry.action == Action::SkipDestination) {
            startDestination(RtfDestination::Skip);
        } else if (entry.action == Action::Unicode && token.hasParameter) {
            destinationText(QChar(char16_t(token.parameter < 0 ? token.parameter + 65536 : token.parameter)));
            m_skipRemaining = top().unicodeSkip;
        } else if (entry.action == Action::Character) {
            destinationText(QChar(char16_t(entry.value)));   // \tab, \line, as the writer writes them
        }
        return;
    case RtfDestination::ColorTable: {
        const int value = std::clamp(token.parameter, 0, 255);
        if (entry.action == Action::Red)
            m_red = value;
        else if (entry.action == Action::Green)
            m_green = value;
        else if (entry.action == Action::Blue)
            m_blue = value;
        return;
    }
    case RtfDestination::FieldInstruction:
        if (entry.action == Action::SkipDestination) {
            startDestination(RtfDestination::Skip);
        } else if (entry.action == Action::Field) {
            // A field inside an instruction: its result becomes part of the instruction's
            // text, its own instruction does not.
            m_fields.push_back({QString(), false, true});
            state.fieldGroup = true;
        } else if (entry.action == Action::FieldInstruction && !m_fields.empty() && m_fields.back().inInstruction) {
            startDestination(RtfDestination::Skip);
        } else if (entry.action == Action::Unicode && token.hasParameter) {
            // An address with letters beyond ASCII, as the writer writes it
            destinationText(QChar(char16_t(token.parameter < 0 ? token.parameter + 65536 : token.parameter)));
            m_skipRemaining = top().unicodeSkip;
        } else if (entry.action == Action::Character) {
            destinationText(QChar(char16_t(entry.value)));   // \tab, \line, as the writer writes them
        }
        return;
    case RtfDestination::Body:
        applyInBody(entry, token);
        return;
    }
}

void RtfReader::applyInFontTable(RtfControlWords::Entry entry, const RtfTokenizer::Token &token)
{
    switch (entry.action) {
    case Action::FontNumber:
        if (m_fonts.contains(m_fontEntry))
            decodeFontName(m_fonts[m_fontEntry], true);
        m_fontEntry = token.parameter;
        m_fonts[m_fontEntry] = FontEntry{};
        break;
    case Action::FontCharset:
        if (m_fonts.contains(m_fontEntry))
            m_fonts[m_fontEntry].charset = token.parameter;
        break;
    case Action::FontCodePage:
        if (m_fonts.contains(m_fontEntry))
            m_fonts[m_fontEntry].codePage = token.parameter;
        break;
    case Action::Unicode:
        if (m_fonts.contains(m_fontEntry) && token.hasParameter) {
            appendToFontName(QChar(char16_t(token.parameter < 0 ? token.parameter + 65536 : token.parameter)));
            m_skipRemaining = top().unicodeSkip;
        }
        break;
    case Action::SkipDestination:
        startDestination(RtfDestination::Skip);
        break;
    default:
        if (const char *family = rtfFontFamilyWord(token.text); family && m_fonts.contains(m_fontEntry))
            m_fonts[m_fontEntry].family = family;
        else if (token.text == "fprq" && m_fonts.contains(m_fontEntry))
            m_fonts[m_fontEntry].pitch = std::clamp(token.parameter, 0, 2);
        break;
    }
}

void RtfReader::handleControlSymbol(char symbol)
{
    if (m_skipRemaining > 0) {
        --m_skipRemaining;
        return;
    }
    switch (symbol) {
    case '*':
        // Only right after a group's brace does \* mark a destination; older office suites
        // write it further on ({\fldrslt \*\cs13 text}), where it marks nothing, and
        // skipping the group there would lose its text.
        m_starred = m_atGroupStart;
        return;
    case '\\':
    case '{':
    case '}': {
        const char byte = symbol;
        handleText(QByteArrayView(&byte, 1));
        return;
    }
    default:
        break;
    }
    m_starred = false;
    const char16_t character = symbol == '~' ? u'\u00A0' : symbol == '-' ? u'\u00AD' : symbol == '_' ? u'\u2011' : 0;
    if (character && destinationText(QChar(character)))
        return;   // a no-break space in a marker or a field's instruction, as in text
    if (!acceptsBodyText())
        return;
    if (character)
        emitUnit(character);
    else if (symbol == '\n')
        endParagraph();   // a backslash before a line end is \par
}

// A character of a destination whose text is kept apart from the body's: a list level's text,
// a numbering's text before or after its number, a field's instruction. False elsewhere.
bool RtfReader::destinationText(QChar ch)
{
    switch (top().destination) {
    case RtfDestination::ListLevelText:
        levelText(ch);
        return true;
    case RtfDestination::NumberingText:
        numberingText(ch);
        return true;
    case RtfDestination::FieldInstruction:
        if (m_fieldInstruction.size() < maxFieldInstructionLength)
            m_fieldInstruction.append(ch);
        return true;
    default:
        return false;
    }
}

void RtfReader::handleHexByte(unsigned char byte)
{
    if (m_skipRemaining > 0) {
        --m_skipRemaining;
        return;
    }
    const char c = char(byte);
    const QByteArrayView bytes(&c, 1);
    if (top().destination == RtfDestination::ListLevelText) {
        levelText(QChar::fromLatin1(c));   // \'00 to \'08 stand for the levels' numbers
        return;
    }
    if (byte == 0)
        return;   // a NUL is no character of any code page's text
    switch (top().destination) {
    case RtfDestination::Body:
        if (acceptsBodyText())
            emitBytes(bytes);
        break;
    case RtfDestination::FontTable:
        // An escaped byte is part of a font name, never its ';' terminator.
        if (m_fonts.contains(m_fontEntry) && m_fonts[m_fontEntry].takesMore())
            m_fonts[m_fontEntry].pendingName.append(c);
        break;
    case RtfDestination::FieldInstruction:
        if (m_fieldInstruction.size() < maxFieldInstructionLength)
            m_fieldInstruction.append(QChar::fromLatin1(c));
        break;
    case RtfDestination::NumberingText:
        numberingText(QChar::fromLatin1(c));
        break;
    default:
        break;
    }
}

void RtfReader::handleText(QByteArrayView text)
{
    m_starred = false;
    if (m_skipRemaining > 0) {
        const qsizetype skipped = std::min<qsizetype>(m_skipRemaining, text.size());
        m_skipRemaining -= int(skipped);
        text = text.sliced(skipped);
        if (text.isEmpty())
            return;
    }
    switch (top().destination) {
    case RtfDestination::Body:
        if (acceptsBodyText())
            emitBytes(text);
        break;
    case RtfDestination::Object:
        // An object holds its parts in groups of their own; words directly in it are the
        // body's, of a file that left the object open.
        if (std::any_of(text.begin(), text.end(), [](char c) { return c != ' ' && c != '\t'; }) && abandonUnclosedData())
            handleText(text);
        break;
    case RtfDestination::ShapePropertyName:
        shapePropertyNameText(text);
        break;
    case RtfDestination::Picture:
        if (m_picture)
            m_picture->appendHex(text);
        break;
    case RtfDestination::FontTable:
        fontTableText(text);
        break;
    case RtfDestination::ColorTable:
        colorTableText(text);
        break;
    case RtfDestination::ListLevelText:
        for (char c : text) {
            if (c == ';') {
                startDestination(RtfDestination::Skip);   // the rest is no part of the text
                break;
            }
            levelText(QChar::fromLatin1(c));
        }
        break;
    case RtfDestination::FieldInstruction:
        // no longer than the limit the other pieces keep to, so that what is written back reads
        // back whole
        m_fieldInstruction.append(QString::fromLatin1(
            text.first(std::clamp(maxFieldInstructionLength - m_fieldInstruction.size(), qsizetype(0), text.size()))));
        break;
    case RtfDestination::NumberingText:
        for (char c : text)
            numberingText(QChar::fromLatin1(c));
        break;
    default:
        break;
    }
}

void RtfReader::applyInListTable(RtfControlWords::Entry entry, const RtfTokenizer::Token &token)
{
    using namespace RtfControlWords;
    const int parameter = token.parameter;
    RtfListNumbering::Level *level = m_lists.numbering.currentLevel();
    if (entry.action == Action::SkipDestination) {
        startDestination(RtfDestination::Skip);
        return;
    }
    if (entry.action == Action::FontNumber) {
        if (level)
            level->font = parameter;
        return;
    }
    if (entry.action != Action::ListProperty)
        return;
    switch (ListProperty(entry.value)) {
    case ListStart:
        m_lists.inOverride = false;
        m_lists.numbering.beginList();
        break;
    case ListId:
        if (m_lists.inOverride)
            m_lists.numbering.setOverrideListId(parameter);
        else
            m_lists.numbering.setListId(parameter);
        break;
    case ListLevel:
        m_lists.numbering.beginLevel();
        break;
    case LevelText:
        if (level && level->text.isEmpty() && !level->lengthRead)
            startDestination(RtfDestination::ListLevelText);
        else
            startDestination(RtfDestination::Skip);
        break;
    case LevelNumbers:
    case ListName:
        startDestination(RtfDestination::Skip);
        break;
    case LevelFormat:
        if (level)
            level->format = parameter;
        break;
    case LevelStartAt:
        if (level)
            level->startAt = std::clamp(parameter, 0, 1 << 24);
        break;
    case LevelFollow:
        if (level)
            level->follow = parameter;
        break;
    case ListOverride:
        m_lists.inOverride = true;
        m_lists.numbering.beginOverride();
        break;
    case ListNumber:
        if (m_lists.inOverride)
            m_lists.numbering.setOverrideNumber(parameter);
        break;
    default:   // a paragraph's words
        break;
    }
}

void RtfReader::levelText(QChar ch)
{
    RtfListNumbering::Level *level = m_lists.numbering.currentLevel();
    if (!level)
        return;
    if (!level->lengthRead) {
        level->lengthRead = true;   // the count of characters that follow
        return;
    }
    if (level->text.size() < 64)
        level->text.append(ch);
}

// Whether a control word is the first thing in its group, \* and line ends aside, as a
// destination's word is.
bool RtfReader::beginsGroup(const RtfTokenizer::Token &token) const
{
    if (m_overflowDepth > 0)
        return true;   // a group past the stack's depth: where it began is not known, and it is skipped
    const qsizetype word = token.text.data() - m_input.data() - 1;   // its backslash
    const qsizetype start = m_stack.empty() ? 0 : m_stack.back().groupStart + 1;
    if (m_stack.size() < 2 || word < start || word > m_input.size())
        return false;
    QByteArrayView before = m_input.sliced(start, word - start);
    const auto skipLineEnds = [&before] {
        while (!before.isEmpty() && (before.front() == '\r' || before.front() == '\n' || before.front() == ' '))
            before = before.sliced(1);
    };
    skipLineEnds();
    if (before.startsWith("\\*"))
        before = before.sliced(2);
    skipLineEnds();
    return before.isEmpty();
}

// The bytes of \binN. A length past the end of the file is damage, not data: taken at its
// word, it would make the rest of the file disappear, so what follows is read as RTF.
QByteArrayView RtfReader::takeBinary(const RtfTokenizer::Token &token)
{
    const qsizetype count = token.hasParameter ? token.parameter : 0;
    if (count > m_tokenizer->remaining()) {
        reportDamage();
        return {};
    }
    return m_tokenizer->takeBinary(count);
}

// A damaged file is read as far as it can be, and the document says where, once: a U+FFFD
// where the body's text next goes, as for bytes that are no character.
void RtfReader::reportDamage()
{
    if (m_damageReported)
        return;
    m_damageReported = true;
    m_damagePending = true;
}

// A picture's or an object's data never holds a paragraph mark. Some writers leave such a
// group open and go on with the body's paragraphs, so a \par or \pard seen inside one ends
// the data there: the groups that hold it read on as their parent did, and the braces still
// count as before, so a later closing brace closes what it always did.
bool RtfReader::abandonUnclosedData()
{
    const auto isData = [](RtfDestination d) {
        return d == RtfDestination::Picture || d == RtfDestination::Object || d == RtfDestination::ObjectData;
    };
    if (m_stack.empty() || !isData(top().destination))
        return false;
    std::size_t owner = m_stack.size();
    for (std::size_t i = m_stack.size(); i-- > 0;) {
        const RtfDestination d = m_stack[i].destination;
        if (isData(d))
            owner = i;
        else if (d != RtfDestination::Skip)
            break;
    }
    if (owner == m_stack.size())
        return false;
    // Data that reaches the outermost group has no parent to read on as: the body goes on.
    const RtfDestination parent = owner > 0 ? m_stack[owner - 1].destination : RtfDestination::Body;
    for (std::size_t i = owner; i < m_stack.size(); ++i) {
        m_stack[i].destination = parent;
        m_stack[i].ownsDestination = false;
    }
    if (m_picture) {
        finishPicture();
        m_picture.reset();
    }
    return true;
}

// The group as the file has it, from its '{' to its '}'.
void RtfReader::keepGroup(const RtfGroupState &ended)
{
    const qsizetype end = std::min(m_tokenizer->position(), m_input.size());
    if (ended.groupStart < 0 || ended.groupStart >= end)
        return;
    const QByteArray group = m_input.sliced(ended.groupStart, end - ended.groupStart).toByteArray();
    if (ended.keep == 1)
        (m_inLaterSection ? m_kept.laterSectionGroups : m_kept.documentGroups).append(group);
    else
        keepAnchoredGroup(group);
    m_kept.codePage = m_defaultCodePage;
}

// Hidden text is not shown, but Save As must keep it (a translator's hidden source sentences,
// a form's instructions): a hidden group that put nothing in the body is kept as it is, anchored
// where it stands as a footnote is, and written back hidden. Hidden text in a group with shown
// text or a paragraph mark, or switched with \v0 outside a group of its own, is not kept.
void RtfReader::keepHiddenGroup(const RtfGroupState &ended)
{
    if (m_stack.empty() || top().chars.hidden || top().destination != RtfDestination::Body
        || ended.destination != RtfDestination::Body || m_lists.marker.depth > 0
        || m_bodyOutputs != ended.outputsAtStart)
        return;
    const qsizetype end = std::min(m_tokenizer->position(), m_input.size());
    if (ended.groupStart <= 0 || ended.groupStart >= end)
        return;
    keepAnchoredGroup(m_input.sliced(ended.groupStart, end - ended.groupStart).toByteArray());
}

// A footnote or comment is anchored in the paragraph around it: where that paragraph is out of
// a table, the table ends first, so the group goes with the text after the table rather than
// into a cell of its own.
void RtfReader::keepAnchoredGroup(const QByteArray &group)
{
    flushBytes();
    enterTableLevel(tableLevel());
    // Right after a paragraph's stored marker, which its list may draw in its place, the group
    // goes with the text after the marker: with the marker, it would go when the marker does.
    const bool afterMarker = rightAfterMarker();
    m_builder.keepAnchoredGroup(group, keptTables(), afterMarker);
    if (afterMarker)
        m_lists.marker.stored.groupsAfter = m_lists.marker.stored.end;
    m_kept.codePage = m_defaultCodePage;
}

const KeptRtfTables &RtfReader::keptTables()
{
    if (m_keptTables)
        return *m_keptTables;
    KeptRtfTables tables;
    for (auto font = m_fonts.constBegin(); font != m_fonts.constEnd(); ++font)
        tables.fonts.insert(font.key(), {font->name, font->charset, font->family});
    tables.colors = m_colors;
    tables.defaultFont = m_defaultFont;
    return m_keptTables.emplace(std::move(tables));
}
