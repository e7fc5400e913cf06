// The reader's output: runs of text in their formats, paragraphs, table rows and pictures, and
// the font and colour tables that the formats are made from.
#include "rtf/CodePages.h"
#include "rtf/RtfFields.h"
#include "rtf/RtfRevisions.h"
#include "rtf/SymbolFonts.h"
#include "rtf/read/RtfReader.h"

#include <QRegularExpression>

namespace {

const QString fallbackFamily = QStringLiteral("Times New Roman");

} // namespace

// Control characters other than the tab have no place in a paragraph's text, and the writer
// writes none: read, they would make the document differ from what Save As writes.
bool RtfReader::isDroppedControl(char16_t c)
{
    return (c < 0x20 && c != u'\t') || c == 0x7f;
}

void RtfReader::tablesChanged()
{
    m_keptTables.reset();
    m_formats.clear();
    m_familyCharsets.reset();
    m_haveRun = false;
}

QTextCharFormat RtfReader::formatFor(const RtfCharProps &props)
{
    auto it = m_formats.constFind(props);
    if (it != m_formats.constEnd())
        return *it;
    QTextCharFormat format;
    const QString family = familyOf(props.font);
    format.setFontFamilies(QStringList{family});
    // Text keeps the character set its font was declared with (-1: none, as for the family
    // that stands in for a font without a name), whatever its family's first entry declares,
    // now or in a font table further on: as symbols or letters, it reads back as it was read.
    const FontEntry *font = shownFont(props.font);
    format.setProperty(DeclaredFontCharset::family, family);
    format.setProperty(DeclaredFontCharset::charset, font ? font->charset : -1);
    format.setFontPointSize(props.halfPoints / 2.0);
    format.setFontWeight(props.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(props.italic);
    format.setFontUnderline(props.underline);
    format.setFontStrikeOut(props.strike);
    if (props.vertical == 1)
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (props.vertical == 2)
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (props.foreground >= 0 && props.foreground < m_colors.size() && m_colors[props.foreground].isValid())
        format.setForeground(m_colors[props.foreground]);
    if (props.background >= 0 && props.background < m_colors.size() && m_colors[props.background].isValid())
        format.setBackground(m_colors[props.background]);
    if (props.link >= 0 && props.link < m_links.size()) {
        format.setAnchor(true);
        format.setAnchorHref(m_links[props.link]);
    }
    if (props.field >= 0 && props.field < m_keptFields.size()) {
        format.setProperty(RtfFieldProperties::instruction, m_keptFields[props.field]);
        format.setProperty(RtfFieldProperties::number, props.field);
    }
    if (props.revision[0]) {
        format.setProperty(RtfRevision::insertedBy, props.revisionAuthor[0]);
        format.setProperty(RtfRevision::insertedAt, props.revisionTime[0]);
    }
    if (props.revision[1]) {
        format.setProperty(RtfRevision::deletedBy, props.revisionAuthor[1]);
        format.setProperty(RtfRevision::deletedAt, props.revisionTime[1]);
    }
    RtfRevision::show(format);
    m_formats.insert(props, format);
    return format;
}

QTextBlockFormat RtfReader::blockFormat(const RtfParaProps &props) const
{
    constexpr double twipsPerPixel = 15.0;
    QTextBlockFormat format;
    static const Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight,
                                               Qt::AlignJustify};
    format.setAlignment(alignments[props.alignment & 3]);
    if (props.rightToLeft)
        format.setLayoutDirection(Qt::RightToLeft);
    if (props.leftIndent)
        format.setLeftMargin(props.leftIndent / twipsPerPixel);
    if (props.rightIndent)
        format.setRightMargin(props.rightIndent / twipsPerPixel);
    if (props.firstIndent)
        format.setTextIndent(props.firstIndent / twipsPerPixel);
    if (props.spaceBefore)
        format.setTopMargin(props.spaceBefore / twipsPerPixel);
    if (props.spaceAfter)
        format.setBottomMargin(props.spaceAfter / twipsPerPixel);
    // Line spacing: a multiple of a line (\sl276\slmult1 is 1.15 lines, 480 double), exactly
    // so many twips (negative), or at least so many
    if (props.lineSpacing < 0)
        format.setLineHeight(-double(props.lineSpacing) / twipsPerPixel, QTextBlockFormat::FixedHeight);
    else if (props.lineSpacing > 0 && props.lineMultiple)
        format.setLineHeight(props.lineSpacing * 100.0 / 240, QTextBlockFormat::ProportionalHeight);
    else if (props.lineSpacing > 0)
        format.setLineHeight(props.lineSpacing / twipsPerPixel, QTextBlockFormat::MinimumHeight);
    return format;
}

// The font table's entry whose name the text is shown in: the default font's where the text's
// own font has no entry or no name.
const RtfReader::FontEntry *RtfReader::shownFont(int font) const
{
    auto it = m_fonts.constFind(font < 0 ? m_defaultFont : font);
    if (it == m_fonts.constEnd() || it->name.isEmpty())
        it = m_fonts.constFind(m_defaultFont);
    return it == m_fonts.constEnd() || it->name.isEmpty() ? nullptr : &*it;
}

QString RtfReader::familyOf(int font) const
{
    const FontEntry *entry = shownFont(font);
    return entry ? entry->name : fallbackFamily;
}

// The character set each family is written with: that of its lowest-numbered entry.
const QHash<QString, int> &RtfReader::familyCharsets()
{
    if (!m_familyCharsets) {
        m_familyCharsets.emplace();
        QList<int> numbers = m_fonts.keys();
        std::sort(numbers.begin(), numbers.end());
        for (int number : numbers) {
            const FontEntry &font = m_fonts[number];
            if (!font.name.isEmpty() && font.charset >= 0 && !m_familyCharsets->contains(font.name))
                m_familyCharsets->insert(font.name, font.charset);
        }
    }
    return *m_familyCharsets;
}

// Each family's class and pitch as its lowest-numbered entry that declares them.
void RtfReader::keepDeclaredFontLooks()
{
    QList<int> numbers = m_fonts.keys();
    std::sort(numbers.begin(), numbers.end());
    for (int number : numbers) {
        const FontEntry &font = m_fonts[number];
        if (font.name.isEmpty())
            continue;
        if (!font.family.isEmpty() && !m_kept.fontClasses.contains(font.name))
            m_kept.fontClasses.insert(font.name, font.family);
        if (font.pitch >= 0 && !m_kept.fontPitches.contains(font.name))
            m_kept.fontPitches.insert(font.name, font.pitch);
    }
}

int RtfReader::codePageOf(int font) const
{
    auto it = m_fonts.constFind(font < 0 ? m_defaultFont : font);
    if (it == m_fonts.constEnd())
        return m_defaultCodePage;
    if (it->codePage > 0 && CodePages::isSupported(it->codePage))
        return it->codePage;
    const int codePage = CodePages::codePageForCharset(it->charset);
    return codePage > 0 && CodePages::isSupported(codePage) ? codePage : m_defaultCodePage;
}

RtfReader::SymbolMap RtfReader::symbolMapOf(int font) const
{
    // the font whose name the text is shown in (familyOf), so that what is read is what is
    // read again from a file that names that font
    const FontEntry *it = shownFont(font);
    return it ? SymbolFonts::mapOf(it->name, it->charset) : SymbolMap::None;
}

// The character properties in effect become those of what is appended next.
void RtfReader::useCurrentCharProps()
{
    const RtfCharProps &props = top().chars;
    if (m_haveRun && props == m_runProps)
        return;
    flushBytes();
    m_runProps = props;
    m_haveRun = true;
    m_builder.setCharFormat(formatFor(props));
    m_runCodePage = codePageOf(props.font);
    m_runTable = CodePages::singleByteTable(m_runCodePage);
    m_runSymbols = symbolMapOf(props.font);
    startShownRun(props);
}

// An empty paragraph's mark has the character properties in effect where it ends, not those
// of the last text before it: that is how its size and font are written. A list item that
// holds only its written marker is empty once its list draws the marker.
void RtfReader::useMarkCharProps()
{
    if (!m_pendingBytes.isEmpty() || !acceptsBodyText())
        return;
    const bool onlyMarker = rightAfterMarker();
    if (m_builder.paragraphIsEmpty() || onlyMarker)
        useCurrentCharProps();
}

void RtfReader::beginOutput()
{
    ++m_bodyOutputs;
    enterTableLevel(tableLevel());
    useCurrentCharProps();
    if (m_pendingCells > 0) {
        flushBytes();
        m_builder.run().append(QString(m_pendingCells, QLatin1Char('\t')));
        m_pendingCells = 0;
    } else if (m_pendingRowBreak) {
        flushBytes();
        m_builder.appendChar(QChar(u'\u2028'));
    }
    m_pendingRowBreak = false;
    m_shapePictureRead = false;
    if (!m_fields.empty())
        m_fields.back().resultShown = true;
    if (!m_lists.marker.checked) {
        m_lists.marker.checked = true;
        emitListMarker();
    }
    if (m_damagePending) {
        m_damagePending = false;
        flushBytes();
        m_builder.appendChar(QChar(u'\uFFFD'));
    }
}

// A character of a list level's or a numbering's text, in the font it is drawn in: bullets of
// symbol fonts are the Unicode characters they show.
QChar RtfReader::listCharacter(QChar ch, int font) const
{
    return shownCharacter(ch, font >= 0 ? symbolMapOf(font) : SymbolMap::None);
}

QChar RtfReader::shownCharacter(QChar ch, SymbolMap map)
{
    const char16_t unit = ch.unicode();
    if (map != SymbolMap::None && (unit < 0x100 || (unit >= 0xF020 && unit <= 0xF0FF))) {
        if (const char16_t symbol = SymbolFonts::characterAt(uchar(unit & 0xFF), map))
            return QChar(symbol);
    }
    return ch;
}

void RtfReader::emitBytes(QByteArrayView bytes)
{
    resolveDanglingSurrogate();
    beginOutput();
    if (m_runTable && m_runSymbols == SymbolMap::None && m_runByClass) {
        QString text(bytes.size(), Qt::Uninitialized);
        for (qsizetype i = 0; i < bytes.size(); ++i)
            text[i] = QChar(m_runTable[static_cast<unsigned char>(bytes[i])]);
        text.removeIf([](QChar c) { return isDroppedControl(c.unicode()); });
        appendShown(text);
        return;
    }
    if (m_runTable && m_runSymbols == SymbolMap::None) {
        QString &run = m_builder.run();
        const qsizetype start = run.size();
        run.resize(start + bytes.size());
        char16_t *const begin = reinterpret_cast<char16_t *>(run.data()) + start;
        char16_t *out = begin;
        for (const char byte : bytes) {
            const char16_t c = m_runTable[static_cast<unsigned char>(byte)];
            if (!isDroppedControl(c))
                *out++ = c;
        }
        run.resize(start + (out - begin));
        return;
    }
    if (m_runSymbols != SymbolMap::None) {
        for (char byte : bytes) {
            const char16_t symbol = SymbolFonts::characterAt(uchar(byte), m_runSymbols);
            const char16_t c = symbol ? symbol : m_runTable ? m_runTable[uchar(byte)] : char16_t(uchar(byte));
            if (!isDroppedControl(c)) {
                const QChar ch(c);
                appendShown(QStringView(&ch, 1));
            }
        }
        return;
    }
    // A multi-byte code page: a character's bytes may arrive as several tokens.
    if (!m_pendingBytes.isEmpty() && m_pendingCodePage != m_runCodePage)
        flushBytes();
    m_pendingCodePage = m_runCodePage;
    m_pendingBytes.append(bytes);
}

void RtfReader::flushBytes()
{
    if (m_pendingBytes.isEmpty())
        return;
    QString text = CodePages::toUnicode(m_pendingBytes, m_pendingCodePage);
    text.removeIf([](QChar c) { return isDroppedControl(c.unicode()); });
    appendShown(text);
    m_pendingBytes.clear();
}

void RtfReader::resolveDanglingSurrogate()
{
    if (!m_highSurrogate)
        return;
    m_highSurrogate = 0;
    beginOutput();
    flushBytes();
    m_builder.appendChar(QChar(u'\uFFFD'));
}

// Surrogate pairs come as two \u words; a half without its partner becomes U+FFFD.
void RtfReader::emitUnit(char16_t unit)
{
    if (isDroppedControl(unit))
        return;
    if (QChar::isLowSurrogate(unit) && m_highSurrogate) {
        const char16_t high = m_highSurrogate;
        m_highSurrogate = 0;
        beginOutput();
        flushBytes();
        const QChar pair[] = {QChar(high), QChar(unit)};
        appendShown(QStringView(pair, 2));
        return;
    }
    resolveDanglingSurrogate();
    if (QChar::isHighSurrogate(unit)) {
        m_highSurrogate = unit;
        return;
    }
    beginOutput();
    flushBytes();
    if (m_runSymbols != SymbolMap::None && unit >= 0xF020 && unit <= 0xF0FF) {
        // Symbol fonts' characters written as \u in the private-use area
        if (const char16_t symbol = SymbolFonts::characterAt(uchar(unit - 0xF000), m_runSymbols))
            unit = symbol;
    }
    // An object replacement character without its object would pass for a picture.
    if (QChar::isLowSurrogate(unit) || unit == 0xFFFC)
        unit = 0xFFFD;
    const QChar ch(unit);
    appendShown(QStringView(&ch, 1));
}

void RtfReader::endParagraph()
{
    resolveDanglingSurrogate();
    flushBytes();
    enterTableLevel(tableLevel());
    m_pendingCells = 0;
    m_pendingRowBreak = false;
    // A field whose result is a paragraph mark (as TextEdit writes links) has its result:
    // the address is no text to put before the next paragraph's words.
    if (!m_fields.empty() && acceptsBodyText())
        m_fields.back().resultShown = true;
    const RtfParaProps &para = top().para;
    if (inLevelList(para) && !m_lists.marker.checked && acceptsBodyText())
        beginOutput();   // an empty list paragraph shows its number too
    useMarkCharProps();
    QTextBlockFormat format = blockFormat(para);
    placeInList(format, para);
    m_builder.endParagraph(format);
}

void RtfReader::emitCellSeparator()
{
    resolveDanglingSurrogate();
    ++m_pendingCells;
}

// Cells and rows outside any table (no \intbl, no \trowd before them): a cell ends with a
// tab, a row with the paragraph.
void RtfReader::endRow(bool nested)
{
    m_pendingCells = 0;
    if (nested) {
        m_pendingRowBreak = !m_builder.paragraphIsEmpty();
        return;
    }
    m_pendingRowBreak = false;
    if (!m_builder.paragraphIsEmpty() || !m_pendingBytes.isEmpty())
        endParagraph();
}

void RtfReader::finishPicture()
{
    if (!m_picture || !placesPicture())
        return;
    m_shapePicturePlaced = top().destination == RtfDestination::Shape;
    RtfPicture::Result picture = m_picture->finish(m_pictureBudget);
    resolveDanglingSurrogate();
    const bool shapePictureRead = m_shapePictureRead;   // the picture is not the text after it
    beginOutput();
    m_shapePictureRead = shapePictureRead;
    flushBytes();
    if (picture.image.isNull())
        picture.image = placeholderFor(picture);
    m_builder.appendPicture(picture.image, picture.displaySize, picture.original);
}

// Boxes of one size and label are one image. They take their pixels from the same budget as the
// decoded pictures; beyond it, every box is one small image drawn at each box's size.
QImage RtfReader::placeholderFor(const RtfPicture::Result &picture)
{
    const QString label = RtfPicture::kindLabel(picture.original);
    const QSize pixels = RtfPicture::placeholderPixels(picture.displaySize);
    const QString key = QStringLiteral("%1x%2 %3").arg(pixels.width()).arg(pixels.height()).arg(label);
    auto it = m_placeholders.constFind(key);
    if (it != m_placeholders.constEnd())
        return *it;
    const qint64 bytes = qint64(pixels.width()) * pixels.height() * 4;
    if (bytes > m_pictureBudget) {
        static const QImage smallBox = RtfPicture::placeholderImage({16, 16}, {});
        return smallBox;
    }
    m_pictureBudget -= bytes;
    const QImage box = RtfPicture::placeholderImage(pixels, label);
    m_placeholders.insert(key, box);
    return box;
}

void RtfReader::finishDocument(const RtfParaProps &lastParagraph)
{
    // A font table the file never closes leaves its last name unfinished: it is finished as
    // any other, without control characters or blanks around it, as it is written and read back.
    for (FontEntry &font : m_fonts) {
        if (!font.complete)
            decodeFontName(font, true);
    }
    if (m_highSurrogate) {
        m_highSurrogate = 0;
        m_builder.appendChar(QChar(u'\uFFFD'));
    }
    flushBytes();
    enterTableLevel(0);
    if (!m_haveRun)
        m_builder.setCharFormat(formatFor(RtfCharProps{}));
    if (m_damagePending)
        m_builder.appendChar(QChar(u'\uFFFD'));
    QTextBlockFormat format = blockFormat(lastParagraph);
    if (!m_builder.paragraphIsEmpty())   // the empty paragraph after a file's last \par is none
        placeInList(format, lastParagraph);
    m_builder.finish(format);
    const QHash<QString, int> &charsets = familyCharsets();
    for (auto it = charsets.cbegin(); it != charsets.cend(); ++it) {
        if (!m_kept.fontCharsets.contains(it.key()))
            m_kept.fontCharsets.insert(it.key(), it.value());
    }
    keepDeclaredFontLooks();
    if (m_kept.codePage > 0)   // some group was kept
        m_kept.tables = keptTables();
    if (!m_kept.isEmpty())
        keepRtfParts(m_document, m_kept);
}

void RtfReader::fontTableText(QByteArrayView text)
{
    // Without braces around each entry, a ';' ends one font and the next \f starts another.
    if (!m_fonts.contains(m_fontEntry))
        return;
    FontEntry &font = m_fonts[m_fontEntry];
    for (char c : text) {
        if (font.complete)
            return;
        if (c == ';')
            decodeFontName(font, true);
        else if (font.takesMore())
            font.pendingName.append(c);
    }
}

void RtfReader::decodeFontName(FontEntry &font, bool complete)
{
    if (!font.pendingName.isEmpty()) {
        int codePage = font.codePage > 0 ? font.codePage : CodePages::codePageForCharset(font.charset);
        if (codePage <= 0 || !CodePages::isSupported(codePage))
            codePage = m_defaultCodePage;
        font.name += CodePages::toUnicode(font.pendingName, codePage);
        font.pendingName.clear();
    }
    if (complete) {
        font.name.removeIf([](QChar c) { return isDroppedControl(c.unicode()); });   // as in the text
        font.name = font.name.trimmed();
        font.complete = true;
    }
}

void RtfReader::appendToFontName(QChar ch)
{
    FontEntry &font = m_fonts[m_fontEntry];
    decodeFontName(font, false);
    if (font.takesMore())
        font.name.append(ch);
}

void RtfReader::colorTableText(QByteArrayView text)
{
    for (char c : text) {
        if (c != ';')
            continue;
        // An entry without components is "automatic": the text's own default colour.
        if (m_red < 0 && m_green < 0 && m_blue < 0)
            m_colors.append(QColor());
        else
            m_colors.append(QColor(qMax(m_red, 0), qMax(m_green, 0), qMax(m_blue, 0)));
        m_red = m_green = m_blue = -1;
    }
}

// Only a HYPERLINK's web or mail address becomes a link, and only as a mark on the text:
// nothing is ever fetched. Other fields (INCLUDEPICTURE, INCLUDETEXT, ...) show the result the
// file already holds.
void RtfReader::fieldInstructionEnded()
{
    static const QRegularExpression hyperlink(
        QStringLiteral(R"(^\s*HYPERLINK\s+(\\l\s+)?"?([^"\s]+))"),
        QRegularExpression::CaseInsensitiveOption);
    // As in text, no control character is part of an instruction, and Save As writes none:
    // the instruction is what it is without them.
    m_fieldInstruction.removeIf([](QChar c) { return isDroppedControl(c.unicode()); });
    const QRegularExpressionMatch match = hyperlink.match(m_fieldInstruction);
    if (!m_fields.empty() && !m_fields.back().inInstruction) {
        m_fields.back().instruction = m_fieldInstruction;
        keepField(m_fieldInstruction, match.hasMatch());
    }
    m_fieldInstruction.clear();
    if (!match.hasMatch() || m_stack.empty())
        return;
    // \l names a bookmark inside the document
    const QString target = (match.hasCaptured(1) ? QStringLiteral("#") : QString()) + match.captured(2);
    // An address with no scheme (HYPERLINK www.example.com, as WordPad writes it) is a web
    // address when it starts with a host name; anything else naming a scheme is no link.
    static const QRegularExpression safe(
        QStringLiteral(R"(^(https?://|mailto:|ftp://|#|[a-z0-9-]+(\.[a-z0-9-]+)+(/|$)))"),
        QRegularExpression::CaseInsensitiveOption);
    if (!safe.match(target).hasMatch() || m_links.size() > 100000)
        return;
    m_links.append(target);
    top().chars.link = int(m_links.size() - 1);
}

// A field whose file stores no result shows what its instruction itself displays, as a word
// processor does before it has updated the field; fields that compute (PAGE, DATE, ...) show
// nothing, since the file holds no value for them.
void RtfReader::fieldEnded()
{
    const OpenField field = m_fields.back();
    m_fields.pop_back();
    if (field.resultShown) {
        if (!m_fields.empty())
            m_fields.back().resultShown = true;
        return;
    }
    const QString text = fieldDisplayText(field.instruction);
    if (text.isEmpty())
        return;
    if (top().destination == RtfDestination::FieldInstruction) {
        if (m_fieldInstruction.size() < 4096)
            m_fieldInstruction += text;
        return;
    }
    if (!acceptsBodyText())
        return;
    // SYMBOL n \f "Symbol": the character is that font's, as a word processor shows it (an
    // alpha for 97), and goes out in that font as the field's result
    static const QRegularExpression namedFont(QStringLiteral(R"re(^\s*SYMBOL\s.*\\f\s+(?:"([^"]+)"|(\S+)))re"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch named = namedFont.match(field.instruction);
    const QString fontName = named.hasCaptured(1) ? named.captured(1) : named.captured(2);
    int font = -1;
    for (auto it = m_fonts.constBegin(); it != m_fonts.constEnd() && !fontName.isEmpty(); ++it) {
        if (it->name.compare(fontName, Qt::CaseInsensitive) == 0 && (font < 0 || it.key() < font))
            font = it.key();
    }
    if (font >= 0 && text.size() == 1 && text[0].unicode() < 0x100) {
        RtfGroupState &state = top();
        const RtfGroupState outside = state;
        state.plainFont = font;
        state.charClass = 0;
        std::fill(std::begin(state.classFonts), std::end(state.classFonts), -1);
        state.resolveFonts();
        const char byte = char(text[0].unicode());
        emitBytes(QByteArrayView(&byte, 1));
        flushBytes();
        state = outside;
        return;
    }
    for (QChar ch : text)
        emitUnit(ch.unicode());
}

QString RtfReader::fieldDisplayText(const QString &instruction) const
{
    static const QRegularExpression macroButton(QStringLiteral(R"re(^\s*MACROBUTTON\s+\S+\s?(.*)$)re"),
                                                QRegularExpression::CaseInsensitiveOption
                                                    | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression hyperlink(QStringLiteral(R"re(^\s*HYPERLINK\s+(?:\\l\s+)?(?:"([^"]*)"|(\S+)))re"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression symbol(QStringLiteral(R"re(^\s*SYMBOL\s+(0x[0-9A-Fa-f]+|\d+))re"),
                                           QRegularExpression::CaseInsensitiveOption);
    QRegularExpressionMatch match = macroButton.match(instruction);
    if (match.hasMatch())
        return match.captured(1).trimmed();
    match = hyperlink.match(instruction);
    if (match.hasMatch())
        return match.hasCaptured(1) ? match.captured(1) : match.captured(2);
    match = symbol.match(instruction);
    if (match.hasMatch()) {
        bool ok = false;
        const uint code = match.captured(1).toUInt(&ok, 0);
        if (ok && code >= 0x20 && code <= 0xFFFF && !QChar::isSurrogate(code) && code != 0xFFFC)
            return QString(QChar(char16_t(code)));
    }
    return {};
}
