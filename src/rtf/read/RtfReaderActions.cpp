// What each control word does in the body of the document.
#include "rtf/CodePages.h"
#include "rtf/read/RtfReader.h"

#include <algorithm>

using RtfControlWords::Action;

void RtfReader::applyInBody(RtfControlWords::Entry entry, const RtfTokenizer::Token &token)
{
    RtfGroupState &state = top();
    RtfCharProps &chars = state.chars;
    RtfParaProps &para = state.para;
    const int parameter = token.parameter;
    // A toggle without parameter switches on; with 0 it switches off.
    const bool on = !token.hasParameter || parameter != 0;
    switch (entry.action) {
    case Action::Ignore:
    case Action::FieldResult:
    case Action::ObjectResult:
    case Action::UnicodeDestination:
    case Action::PictureType:       // outside a picture they mean nothing
    case Action::PictureProperty:
    case Action::Red:
    case Action::Green:
    case Action::Blue:
    case Action::FontCharset:
    case Action::FontCodePage:
    case Action::Binary:
        break;
    case Action::SkipDestination:
        startDestination(RtfDestination::Skip);
        break;
    case Action::NestedTableProperties:
        state.nestedRowDefinition = true;
        break;
    case Action::ListText:
        beginListText();
        break;
    case Action::ParagraphNumbering:
        startParagraphNumbering();
        break;
    case Action::Shape:
        if (state.destination != RtfDestination::Body || !beginsGroup(token) || !holdsTextBox())
            break;
        [[fallthrough]];
    case Action::KeptDocumentGroup:
    case Action::KeptAnchoredGroup:
        // Kept from its '{', a group must begin with the word: one that comes after text the
        // body already shows would be written twice.
        if (!beginsGroup(token))
            break;
        startDestination(RtfDestination::Skip);
        // only a group that this word made a destination is kept (not the document's own
        // group, nor one whose state deeper groups share)
        if (state.ownsDestination && state.destination == RtfDestination::Skip)
            state.keep = entry.action == Action::KeptDocumentGroup ? 1 : 2;
        break;
    case Action::KeptAnchoredWord:
        if (acceptsBodyText())
            keepAnchoredGroup("\\" + token.text.toByteArray() + ' ');
        break;
    case Action::KeptDocumentWord:
        if (m_inLaterSection)
            applySectionWord(token);   // which headers a later section's pages show
        else if (!m_kept.documentWords.contains(token.text.toByteArray()))
            m_kept.documentWords += '\\' + token.text.toByteArray();
        break;
    case Action::ListTable:
        startDestination(RtfDestination::ListTable);
        break;
    case Action::StyleSheet:
        startDestination(RtfDestination::StyleSheet);
        break;
    case Action::ListProperty:
        if (entry.value == RtfControlWords::ListNumber)
            para.list = std::max(parameter, -1);
        else if (entry.value == RtfControlWords::ListLevelNumber)
            para.listLevel = std::uint8_t(std::clamp(parameter, 0, 8));
        else if (entry.value == RtfControlWords::ParagraphStyle)
            m_lists.styles.applyTo(para, parameter);
        else if (entry.value == RtfControlWords::NumberingTextAfter || entry.value == RtfControlWords::NumberingTextBefore)
            startDestination(RtfDestination::Skip);   // only \pn gives them a meaning
        break;
    case Action::FontTable:
        m_fontEntry = -1;
        startDestination(RtfDestination::FontTable);
        break;
    case Action::ColorTable:
        m_colors.clear();
        m_red = m_green = m_blue = -1;
        startDestination(RtfDestination::ColorTable);
        break;
    case Action::Picture:
        if (m_picture) {
            startDestination(RtfDestination::Skip);   // a picture inside a picture
        } else {
            m_picture.emplace();
            startDestination(RtfDestination::Picture);
        }
        break;
    case Action::Field:
        if (!state.fieldGroup && m_fields.size() < 1000) {
            m_fields.push_back({});
            state.fieldGroup = true;
        }
        break;
    case Action::FieldInstruction:
        m_fieldInstruction.clear();
        startDestination(RtfDestination::FieldInstruction);
        break;
    case Action::ShapePicture:
        m_shapePictureRead = true;
        break;
    case Action::NonShapePicture:
        // The same picture again, for readers that do not know \shppict.
        if (m_shapePictureRead)
            startDestination(RtfDestination::Skip);
        break;
    case Action::ShapeInstructions:
        beginShape();
        break;
    case Action::ShapeResult:
        // the shape's picture again, as a drawing object or a picture: one picture is shown
        if (m_shapePicturePlaced)
            startDestination(RtfDestination::Skip);
        break;
    case Action::UnicodeAlternative:
        startDestination(RtfDestination::UnicodeAlternative);
        break;
    case Action::Object:
        startDestination(RtfDestination::Object);
        break;
    case Action::ObjectData:
        startDestination(RtfDestination::ObjectData);
        break;
    case Action::CharacterSet:
        m_defaultCodePage = entry.value;
        tablesChanged();
        break;
    case Action::AnsiCodePage:
        if (parameter > 0 && CodePages::isSupported(parameter)) {
            m_defaultCodePage = parameter;
            tablesChanged();
        }
        break;
    case Action::DefaultFont:
        m_defaultFont = parameter;
        tablesChanged();
        break;
    case Action::FontNumber:
        state.plainFont = parameter;
        if (state.charClass > 0)
            state.classFonts[state.charClass - 1] = parameter;
        state.resolveFonts();
        break;
    case Action::CharacterClass:
        if (entry.value == RtfControlWords::RightToLeftCharacters || entry.value == RtfControlWords::LeftToRightCharacters) {
            state.rightToLeftFont = entry.value == RtfControlWords::RightToLeftCharacters;
        } else {
            state.charClass = std::uint8_t(entry.value);
            state.rightToLeftFont = false;
        }
        state.resolveFonts();
        break;
    case Action::AssociatedFont:
        // Without a class or \rtlch before it, \af is the font of complex-script text, which
        // the runs here do not tell apart.
        if (state.rightToLeftFont)
            state.classFonts[3] = parameter;
        else if (state.charClass > 0)
            state.classFonts[state.charClass - 1] = parameter;
        state.resolveFonts();
        break;
    case Action::Plain:
        chars = RtfCharProps{};
        state.charClass = 0;
        state.rightToLeftFont = false;
        state.plainFont = -1;
        std::fill(std::begin(state.classFonts), std::end(state.classFonts), -1);
        break;
    case Action::Bold: chars.bold = on; break;
    case Action::Italic: chars.italic = on; break;
    case Action::Underline: chars.underline = on; break;
    case Action::UnderlineNone: chars.underline = false; break;
    case Action::Strike: chars.strike = on; break;
    case Action::Hidden: chars.hidden = on; break;
    case Action::Revision: chars.revision[entry.value] = on; break;
    case Action::RevisionAuthor: chars.revisionAuthor[entry.value] = std::max(parameter, 0); break;
    case Action::RevisionTime: chars.revisionTime[entry.value] = parameter; break;
    case Action::FontSize:
        chars.halfPoints = (token.hasParameter && parameter > 0) ? std::min(parameter, 3276) : 24;
        break;
    case Action::Foreground:
        chars.foreground = parameter;
        break;
    case Action::Background:
        chars.background = parameter;
        break;
    case Action::VerticalAlignment:
        chars.vertical = std::uint8_t(entry.value);
        break;
    case Action::UnicodeSkipCount:
        state.unicodeSkip = std::clamp(parameter, 0, 1 << 20);
        break;
    case Action::Unicode:
        if (token.hasParameter) {
            if (acceptsBodyText()) {
                const int unit = parameter < 0 ? parameter + 65536 : parameter;
                emitUnit(unit >= 0 && unit <= 0xFFFF ? char16_t(unit) : u'\uFFFD');
            }
            m_skipRemaining = state.unicodeSkip;
        }
        break;
    case Action::ParagraphDefault:
        para = RtfParaProps{};
        m_afterParagraphMark = false;   // a paragraph begins, which a \sect would end
        break;
    case Action::Alignment: para.alignment = std::uint8_t(entry.value); break;
    case Action::ParagraphDirection: para.rightToLeft = entry.value == 1; break;
    case Action::LeftIndent: para.leftIndent = parameter; break;
    case Action::RightIndent: para.rightIndent = parameter; break;
    case Action::FirstLineIndent: para.firstIndent = parameter; break;
    case Action::SpaceBefore: para.spaceBefore = parameter; break;
    case Action::SpaceAfter: para.spaceAfter = parameter; break;
    case Action::LineSpacing: para.lineSpacing = std::clamp(parameter, -RtfParaProps::maxLineSpacing, RtfParaProps::maxLineSpacing); break;
    case Action::LineSpacingMultiple: para.lineMultiple = on; break;
    case Action::InTable: para.inTable = true; break;
    case Action::Character:
        if (acceptsBodyText())
            emitUnit(char16_t(entry.value));
        break;
    case Action::Paragraph:
        ++m_bodyOutputs;
        if (entry.value == RtfControlWords::EndsSection)
            endSection();
        else
            endParagraph();
        m_afterParagraphMark = true;
        break;
    case Action::SectionWord:
        applySectionWord(token);
        break;
    case Action::Cell:
    case Action::NestedCell:
        ++m_bodyOutputs;
        endCell(entry.action == Action::NestedCell);
        break;
    case Action::Row:
    case Action::NestedRow:
        ++m_bodyOutputs;
        endTableRow(entry.action == Action::NestedRow);
        break;
    case Action::TableProperty:
        applyTableProperty(entry.value, token);
        break;
    }
}
