#pragma once

#include "rtf/KeptRtfNumbers.h"
#include "rtf/write/RtfFormatWords.h"
#include "rtf/write/RtfListWriter.h"
#include "rtf/write/RtfOutput.h"
#include "rtf/write/RtfWriterTables.h"

#include <QByteArray>
#include <QFont>
#include <QSet>
#include <QTextImageFormat>

#include <climits>

#include <deque>
#include <functional>
#include <vector>

class QTextBlock;
class QTextDocument;
class QTextFragment;
class QTextFrame;
class QTextTable;

// Writes a document as RTF that WordPad, Word and LibreOffice read: paragraphs with their
// alignment and indents, runs with their character formats, pictures, tables. The output is the
// same for the same document, every time.
class RtfWriter
{
public:
    explicit RtfWriter(const QTextDocument &document);
    // Writes only the characters from `from` to `to`, as the clipboard carries a selection: the
    // same RTF as for a document holding a copy of that selection (its first paragraph keeps
    // its format only when the range starts at the paragraph's start, and the document's kept
    // groups stay out). A table must lie wholly inside the range or wholly outside it.
    RtfWriter(const QTextDocument &document, int from, int to);

    QByteArray write();
    // Writes the whole document as write() does, the same bytes, handing them to `sink` a piece
    // at a time: no more of the file is held at once than a piece (Save As of a big document).
    static void write(const QTextDocument &document, const RtfOutput::Sink &sink);
    // The same bytes in two parts, written once, for a caller that can keep them apart: the body
    // (up to the closing brace) handed to `bodySink` a piece at a time, and what goes in front of
    // it returned at the end. The second form writes the range as the range's write() does.
    static QByteArray writeBodyFirst(const QTextDocument &document, const RtfOutput::Sink &bodySink);
    static QByteArray writeBodyFirst(const QTextDocument &document, int from, int to, const RtfOutput::Sink &bodySink);

private:
    template <typename MakeWriter>
    static QByteArray bodyFirst(const RtfOutput::Sink &bodySink, MakeWriter makeWriter);
    void writeBody();
    // What goes in front of the body: the font, colour and list tables, the kept groups.
    QByteArray front();
    // Tables nest no deeper than a reader keeps them apart.
    static constexpr int maxTableLevel = 16;
    QByteArray inFrontOfBody(const QByteArray &front);
    void writeFrameContents(const QTextFrame &frame, int tableLevel);
    void writeBlock(const QTextBlock &block, int tableLevel);
    static QByteArray nextSectionWords(const QTextBlock &block);
    // tables (RtfWriterTableRows.cpp)
    void writeTable(const QTextTable &table, int level);
    void writeRowDefinition(const QTextTable &table, int row, const std::vector<int> &edges);
    void writeTableLevel(int level);
    // Whether the range leaves out the whole of [first, last].
    bool outsideRange(int first, int last) const { return last < m_from || first > m_to; }
    // A character format as it is written: its control words, and the picture it draws.
    struct RunFormat
    {
        QByteArray words;
        bool isImage = false;
        // the address of a hyperlink; for a kept field, what tells it from the one beside it
        QString link;
        QString fieldInstruction;   // a kept field's (RtfFields.h)
        QTextImageFormat image;
        // footnotes and comments kept at this character (KeptRtfParts.h)
        int anchor = 0;
        QByteArray groupsBefore, groupsAfter;
        RtfOutput::AsciiSet asUnicode;   // what its font reads otherwise (RtfFontTable)
    };
    void writeAnchoredText(QStringView run, const RunFormat &format);
    // The groups kept at the block's characters before `position` that are not written yet.
    QByteArray groupsKeptBefore(const QTextBlock &block, int position);
    // The format is asked for only the first time its index is seen.
    const RunFormat &runFormat(int formatIndex, const std::function<QTextCharFormat()> &charFormatOf);
    void describeRun(RunFormat &format, const QTextCharFormat &charFormat);
    void describeAnchoredGroups(RunFormat &format, const QTextCharFormat &charFormat);
    const QByteArray &paragraphWords(const QTextBlock &block);
    // The words of a paragraph with no format of its own, and the index that stands for a
    // run with none.
    const QByteArray &plainParagraphWords();
    static constexpr int plainCharFormatIndex = -2;
    // Runs of the same format share one group, so a format costs its words once a run.
    void openRun(const RunFormat &format);
    void closeRun();
    void openLink(const QString &link);
    // fields (RtfWriterFields.cpp)
    static void describeField(RunFormat &format, const QTextCharFormat &charFormat);
    void openField(const RunFormat &format);
    void closeLink();
    void endParagraph(const char *word);
    void writeListText(const QTextBlock &block, int tableLevel);

    const QTextDocument &m_document;
    RtfOutput m_body;
    RtfFontTable m_fonts;
    RtfColorTable m_colors;
    RtfListWriter m_lists;
    QFont m_defaultFont;   // what the editing area shows where a run's format sets nothing
    // Each character format as written, by the document's format index: a document has few
    // formats and many runs. A deque, so that the open run's entry stays where it is.
    std::deque<RunFormat> m_runFormats;
    RunFormat m_plainRun;   // a run with no format of its own
    const RunFormat *m_openRun = nullptr;
    std::vector<QByteArray> m_paragraphWords;   // by block format index, likewise
    QByteArray m_plainParagraphWords;
    bool m_paragraphOpen = false;
    QByteArray m_nextSection;             // the words after the \sect that ends the open paragraph
    bool m_rowsContinue = false;   // a seam was passed: the next table goes on with the last one
    QString m_openLink;
    bool m_charWordsOutsideRuns = false;
    int m_codePage = 1252;
    bool m_keptGroupsWritten = false;     // groups kept at characters, as the body went out
    QList<QByteArray> m_documentGroups;   // \info, headers and footers the document keeps
    KeptRtfTables m_keptTables;           // what their font and colour numbers mean
    QByteArray m_documentWords;           // \titlepg, \facingp
    QSet<int> m_anchorsWritten;
    QByteArray m_groupsForNextText;   // kept at characters that are not written as text
    // The characters written: all of them unless a range was given.
    int m_from = 0;
    int m_to = INT_MAX;
};
