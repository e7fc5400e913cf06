#pragma once

#include "platform/rtf/RtfFormatWords.h"
#include "platform/rtf/RtfOutput.h"
#include "platform/rtf/RtfWriterTables.h"

#include <QByteArray>

#include <vector>

class QTextBlock;
class QTextDocument;
class QTextFrame;
class QTextTable;

// Writes a document as RTF that WordPad, Word and LibreOffice read: paragraphs with their
// alignment and indents, runs with their character formats, pictures, tables. The output is the
// same for the same document, every time.
class RtfWriter
{
public:
    explicit RtfWriter(const QTextDocument &document);

    QByteArray write();

private:
    void writeFrameContents(const QTextFrame &frame, bool inTable);
    void writeTable(const QTextTable &table);
    void writeBlock(const QTextBlock &block, bool inTable);
    // Runs of the same format share one group, so a format costs its words once a run.
    void openRun(int formatIndex, const QTextCharFormat &format);
    void closeRun();
    void endParagraph(const char *word);

    const QTextDocument &m_document;
    RtfOutput m_body;
    RtfFontTable m_fonts;
    RtfColorTable m_colors;
    RtfCharDefaults m_charDefaults;
    // The control words of each character format, by the document's format index: a document
    // has few formats and many runs.
    std::vector<QByteArray> m_charWords;
    int m_openRunFormat = -1;
    bool m_paragraphOpen = false;
};
