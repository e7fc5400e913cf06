#pragma once

#include "rtf/read/RtfControlWords.h"
#include "rtf/KeptRtfParts.h"
#include "rtf/SymbolFonts.h"
#include "rtf/read/RtfDocumentBuilder.h"
#include "rtf/read/RtfListReading.h"
#include "rtf/read/RtfPicture.h"
#include "rtf/read/RtfReaderState.h"
#include "rtf/read/RtfTableBuilder.h"
#include "rtf/RtfTokenizer.h"

#include <QByteArray>
#include <QTextCursor>
#include <QColor>
#include <QImage>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class QTextDocument;

// Reads RTF bytes into a new document. Throws Failure when the bytes are not RTF at all.
std::unique_ptr<QTextDocument> documentFromRtf(const QByteArray &rtf);

// Reads RTF into a new document: follows the braces with a stack of group states (never by
// recursion, so any depth of nesting is fine) and hands each control word to the action that
// its table entry names.
class RtfReader
{
public:
    // Symbol fonts whose bullets are shown as the Unicode characters they draw.
    using SymbolMap = SymbolFonts::Map;

    // Groups nested deeper than this share the innermost state instead of each taking memory.
    static constexpr std::size_t maxStateDepth = 200000;
    static constexpr qsizetype maxFontNameLength = 1024;
    static constexpr qsizetype maxFieldInstructionLength = 4096;
    // What the decoded pictures of one file may take together.
    static constexpr qint64 maxPictureBytes = 512 * 1024 * 1024;

    explicit RtfReader(QTextDocument &document);

    static bool isDroppedControl(char16_t c);

    // Throws Failure when the bytes are not RTF at all.
    void read(QByteArrayView data);

private:
    struct FontEntry
    {
        QString name;
        QByteArray pendingName;   // bytes of the name not yet decoded
        int charset = -1;
        int codePage = 0;         // \cpg
        QByteArray family;        // \froman, \fswiss, ...
        int pitch = -1;           // \fprq: 0 default, 1 fixed, 2 variable
        bool complete = false;

        // No family name is this long; a file that says otherwise gets no more memory for it.
        // The bound holds for the name as a whole, decoded or not, so the name written back
        // reads as the same name.
        bool takesMore() const { return !complete && name.size() + pendingName.size() < maxFontNameLength; }
    };

    RtfGroupState &top() { return m_stack.back(); }
    void pushGroup();
    void popGroup();
    void endDestination(const RtfGroupState &ended);
    bool abandonUnclosedData();
    void keepGroup(const RtfGroupState &ended);
    void keepHiddenGroup(const RtfGroupState &ended);
    QByteArrayView takeBinary(const RtfTokenizer::Token &token);
    void reportDamage();
    bool beginsGroup(const RtfTokenizer::Token &token) const;
    void keepAnchoredGroup(const QByteArray &group);
    const KeptRtfTables &keptTables();

    void handleControlWord(const RtfTokenizer::Token &token);
    void handleControlSymbol(char symbol);
    void handleText(QByteArrayView text);
    void handleHexByte(unsigned char byte);
    void startDestination(RtfDestination destination);
    void applyInBody(RtfControlWords::Entry entry, const RtfTokenizer::Token &token);
    void applyInFontTable(RtfControlWords::Entry entry, const RtfTokenizer::Token &token);
    void applyInListTable(RtfControlWords::Entry entry, const RtfTokenizer::Token &token);
    void levelText(QChar ch);

    // lists as lists (RtfReaderLists.cpp)
    void emitListMarker();
    void markerStartsHere();
    void markerEndsHere();
    bool rightAfterMarker();
    bool inLevelList(const RtfParaProps &para) const;
    void beginListText();
    void endListText();
    void forgetListText();
    void keepGroupsAfterForgottenMarker();
    void startParagraphNumbering();
    void applyInParagraphNumbering(RtfControlWords::Entry entry, const RtfTokenizer::Token &token);
    void numberingText(QChar ch);
    void applyInStyleSheet(RtfControlWords::Entry entry, const RtfTokenizer::Token &token);
    bool destinationText(QChar ch);
    std::optional<RtfListStyle> levelStyle(const RtfParaProps &para) const;
    std::optional<RtfListStyle> numberingStyle(const RtfParaProps &para) const;
    QChar listCharacter(QChar ch, int font) const;
    static QChar shownCharacter(QChar ch, SymbolMap map);
    RtfParagraphList paragraphList(const RtfParaProps &para) const;
    std::optional<RtfLevelDefinition> levelDefinition(const RtfParaProps &para) const;
    void placeInList(QTextBlockFormat &format, const RtfParaProps &para);

    // floating shapes (RtfReaderShapes.cpp)
    void beginShape();
    void applyInShape(RtfControlWords::Entry entry, const RtfTokenizer::Token &token);
    void shapePropertyNameText(QByteArrayView text);
    bool placesPicture();
    bool holdsTextBox();
    // sections (RtfReaderSections.cpp)
    void endSection();
    void applySectionWord(const RtfTokenizer::Token &token);
    void keepSectionBreak();

    // output to the body (RtfReaderOutput.cpp)
    bool acceptsBodyText() { return top().destination == RtfDestination::Body && !top().chars.hidden; }
    void beginOutput();
    void useCurrentCharProps();
    void useMarkCharProps();
    void emitBytes(QByteArrayView bytes);
    void emitUnit(char16_t unit);
    void flushBytes();
    void resolveDanglingSurrogate();
    void endParagraph();
    void emitCellSeparator();
    // each character in the font of its class (RtfReaderFonts.cpp)
    void startShownRun(const RtfCharProps &props);
    void appendShown(QStringView text);
    void endRow(bool nested);

    // tables (RtfReaderTables.cpp)
    void applyTableProperty(int property, const RtfTokenizer::Token &token);
    int fileTableLevel() const;
    int tableLevel() const;
    bool beyondNesting(bool nested) const;
    void enterTableLevel(int level);
    void endCell(bool nested);
    void endTableRow(bool nested);
    void finishPicture();
    QImage placeholderFor(const RtfPicture::Result &picture);
    void finishDocument(const RtfParaProps &lastParagraph);
    void tablesChanged();
    QTextCharFormat formatFor(const RtfCharProps &props);
    QTextBlockFormat blockFormat(const RtfParaProps &props) const;
    QString familyOf(int font) const;
    const FontEntry *shownFont(int font) const;
    const QHash<QString, int> &familyCharsets();
    void keepDeclaredFontLooks();
    int codePageOf(int font) const;
    SymbolMap symbolMapOf(int font) const;

    // font and colour tables
    void fontTableText(QByteArrayView text);
    void decodeFontName(FontEntry &entry, bool complete);
    void appendToFontName(QChar ch);
    void colorTableText(QByteArrayView text);
    void fieldInstructionEnded();
    void fieldEnded();
    QString fieldDisplayText(const QString &instruction) const;
    void keepField(const QString &instruction, bool hyperlink);   // RtfReaderFields.cpp

    RtfTokenizer *m_tokenizer = nullptr;
    QByteArrayView m_input;
    QTextDocument &m_document;
    KeptRtfParts m_kept;
    std::optional<KeptRtfTables> m_keptTables;   // the font and colour tables as kept groups see them
    bool m_inLaterSection = false;               // a \sect has been read
    std::optional<QTextCursor> m_sectionEnd;     // at the paragraph that ended the last section
    QByteArray m_sectionWords;                   // the words of the section it began
    int m_sectionBreaks = 0;
    bool m_afterParagraphMark = false;           // no \pard since the last \par or \sect
    RtfDocumentBuilder m_builder;
    RtfTableBuilder m_tables{m_builder};
    RtfRowDefinition m_rowDefinitions[2];   // the outermost table's row, and a nested one's
    std::vector<RtfGroupState> m_stack;
    std::size_t m_overflowDepth = 0;
    std::size_t m_overflowSkipDepth = 0;   // a destination in a shared group: skipped to its end
    bool m_damageReported = false;
    bool m_damagePending = false;          // the mark is still to be put in the body
    bool m_starred = false;
    std::uint64_t m_bodyOutputs = 0;       // text, pictures and breaks put in the body so far
    bool m_atGroupStart = false;           // no token read since the last group's brace
    int m_skipRemaining = 0;

    int m_defaultCodePage = 1252;
    int m_defaultFont = 0;
    QHash<int, FontEntry> m_fonts;
    int m_fontEntry = -1;
    QList<QColor> m_colors;
    int m_red = -1, m_green = -1, m_blue = -1;
    QStringList m_links;
    QString m_fieldInstruction;
    QStringList m_keptFields;   // the instructions of the fields whose results carry them
    struct OpenField
    {
        QString instruction;
        bool resultShown = false;    // the file's own result put text in the body
        bool inInstruction = false;  // nested in another field's instruction
    };
    std::vector<OpenField> m_fields;

    RtfListReading m_lists;

    std::optional<RtfPicture> m_picture;
    bool m_shapePictureRead = false;
    QByteArray m_shapeProperty;           // the name of the shape property being read
    bool m_shapePicturePlaced = false;    // the shape's picture is in the text
    qsizetype m_noTextBoxBefore = 0;      // the shape groups read up to here hold no text box
    qint64 m_pictureBudget = maxPictureBytes;
    QHash<QString, QImage> m_placeholders;
    int m_pendingCells = 0;          // cell ends not yet written as tabs
    bool m_pendingRowBreak = false;  // a nested row ended: a line break unless a cell ends

    // the run being written
    bool m_haveRun = false;
    RtfCharProps m_runProps;
    int m_runCodePage = 1252;
    const char16_t *m_runTable = nullptr;
    SymbolMap m_runSymbols = SymbolMap::None;
    bool m_runByClass = false;   // its character classes have fonts of their own
    std::array<SymbolMap, 4> m_classSymbols{};   // how each class's font shows its characters
    int m_runShownFont = -1;     // the font of the text appended last
    QByteArray m_pendingBytes;
    int m_pendingCodePage = 0;
    char16_t m_highSurrogate = 0;
    QHash<RtfCharProps, QTextCharFormat> m_formats;
    std::optional<QHash<QString, int>> m_familyCharsets;   // each family's first declared \fcharset
};
