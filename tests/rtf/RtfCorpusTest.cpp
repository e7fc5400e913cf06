// Real files from other word processors: every one must load, and its words should be the
// words LibreOffice reads from it, unless the table below says why ours differ; those files read
// the words kept beside them (corvala-text/), checked by hand once.
#include "CorpusFiles.h"
#include "ListTestDocuments.h"
#include "RtfReaderTestSupport.h"
#include "support/TestFiles.h"

#include "base/Failure.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

const QString &corpusDir = CorpusFiles::folder();

// Files whose words differ from LibreOffice's reading, and why ours are acceptable. Each reads,
// word for word in order, the text kept in corvala-text/ under its name.
const QMap<QString, QString> &knownDifferences()
{
    static const QMap<QString, QString> differences = {
        {QStringLiteral("rtfpipe-Issue50-1-reportgen-sste-tables.rtf"),
         QStringLiteral("hidden text (\\v) is not shown; LibreOffice's text export includes it")},
        {QStringLiteral("rtfpipe-RtfParserTest_5-wordpad-cp932.rtf"),
         QStringLiteral("Symbol-font text keeps the characters written ('-'); LibreOffice gives private-use characters")},
        {QStringLiteral("rtfpipe-RtfParserTest_6-textedit-mac-cp10001.rtf"),
         QStringLiteral("Mac Japanese 0x8160 is WAVE DASH U+301C as in Apple's table; LibreOffice gives FULLWIDTH TILDE")},
        {QStringLiteral("rtfpipe-phprtflite-footnotes.rtf"),
         QStringLiteral("footnotes stay out of the body; LibreOffice numbers them inline")},
        {QStringLiteral("rtfpipe-rtf2xml-bullet_list-wordmac.rtf"),
         QStringLiteral("Wingdings 0xA7 is the small square Word draws; LibreOffice substitutes a round bullet")},
        {QStringLiteral("rtfpipe-rtf2xml-fields_simple_format_switch-wordmac.rtf"),
         QStringLiteral("fields show the result stored in the file; LibreOffice recomputes AUTHOR, FILENAME and REF")},
        {QStringLiteral("rtfpipe-rtf2xml-inline_mix-footnote-wordmac.rtf"),
         QStringLiteral("hidden text is not shown and the footnote stays out of the body")},
        {QStringLiteral("rtfpipe-rtf2xml-noteref-wordmac.rtf"),
         QStringLiteral("the footnote stays out of the body, so its number is not in the text")},
        {QStringLiteral("rtfpipe-rtf2xml-symbol-wordmac.rtf"),
         QStringLiteral("the Symbol font's bullet (\\u-3913) is shown as U+2022; LibreOffice keeps private-use U+F0B7")},
        {QStringLiteral("rtfpipe-rtf2xml-ted_mixed_faces-rtf0.rtf"),
         QStringLiteral("Symbol-font text keeps the letters written; LibreOffice gives private-use characters")},
        {QStringLiteral("striprtf-issue_63-headerless-fragment.rtf"),
         QStringLiteral("the list number the file writes (\\listtext 10.) is shown; LibreOffice drops it")},
        {QStringLiteral("tika-testRTFHyperlinkAndStyles-wptools.rtf"),
         QStringLiteral("a font of the default character set uses the document's code page, so \\'94 is a quote; LibreOffice gives U+FFFD")},
        {QStringLiteral("tika-testRTFInvalidUnicode-textedit-lone-surrogates.rtf"),
         QStringLiteral("an unpaired surrogate becomes U+FFFD and its fallback is skipped; LibreOffice shows the '?' fallback")},
        {QStringLiteral("tika-testRTFJapanese-ooo-starwriter.rtf"),
         QStringLiteral("Wingdings \\u61692 (0xFC) is the check mark the file names; LibreOffice draws a white bullet")},
        {QStringLiteral("tika-testRTFListMicrosoftWord.rtf"),
         QStringLiteral("the list text the file writes ('-') is kept; LibreOffice draws bullets from the list table")},
        {QStringLiteral("tika-testRTFVarious-word2007.rtf"),
         QStringLiteral("the footnote stays out of the body, so its number is not in the text")},
    };
    return differences;
}

// Files that are not rich text at all, and open as nothing.
const QStringList notRichText = {QStringLiteral("rtfpipe-RtfParserTest_fail_0-leading-garbage.rtf")};

using TestFiles::readBytes;

// The words of a text in their order: layout (spaces, tabs, line and paragraph breaks) and
// invisible characters do not count.
QStringList wordsInOrder(QString text)
{
    text.remove(QChar(0x00AD));
    text.remove(QChar(0xFFFC));
    text.remove(QChar(0xFEFF));
    static const QRegularExpression space(QStringLiteral("[\\s\\x{00A0}\\x{2028}\\x{2029}]+"),
                                         QRegularExpression::UseUnicodePropertiesOption);
    return text.split(space, Qt::SkipEmptyParts);
}

// The words of a text, as a sorted list.
QStringList wordsOf(const QString &text)
{
    QStringList words = wordsInOrder(text);
    words.sort();
    return words;
}

// What one list has that the other has not, for the failure message.
QString difference(QStringList ours, QStringList theirs, const QString &whose = QStringLiteral("LibreOffice's"))
{
    QStringList onlyOurs, onlyTheirs;
    qsizetype i = 0, j = 0;
    while (i < ours.size() || j < theirs.size()) {
        if (j == theirs.size() || (i < ours.size() && ours[i] < theirs[j]))
            onlyOurs << ours[i++];
        else if (i == ours.size() || theirs[j] < ours[i])
            onlyTheirs << theirs[j++];
        else
            ++i, ++j;
    }
    return QStringLiteral("only ours (%1): %2\nonly %3 (%4): %5")
        .arg(onlyOurs.size()).arg(onlyOurs.mid(0, 40).join(QLatin1Char(' '))).arg(whose)
        .arg(onlyTheirs.size()).arg(onlyTheirs.mid(0, 40).join(QLatin1Char(' ')));
}

class Corpus : public testing::TestWithParam<std::string> {};

TEST_P(Corpus, LoadsAndReadsTheWordsLibreOfficeReads)
{
    const QString name = QString::fromStdString(GetParam());
    ASSERT_NE(GetParam(), CorpusFiles::missing) << "no RTF files in " << corpusDir.toStdString();
    const QByteArray rtf = readBytes(corpusDir + QLatin1Char('/') + name);
    if (notRichText.contains(name)) {
        EXPECT_THROW(readRtf(rtf), Failure);
        return;
    }
    const auto document = readRtf(rtf);
    const QString reference = corpusDir + QStringLiteral("/libreoffice-text/")
        + QString(name).replace(QStringLiteral(".rtf"), QStringLiteral(".txt"));
    if (!QFile::exists(reference))
        return;   // LibreOffice could not read it; loading without a crash is what counts
    // LibreOffice's text export writes the markers of list items; ours are drawn by the lists
    const QString text = textWithListMarkers(*document);
    const QStringList ours = wordsOf(text);
    const QStringList theirs = wordsOf(QString::fromUtf8(readBytes(reference)));
    if (knownDifferences().contains(name)) {
        const QString kept = corpusDir + QStringLiteral("/corvala-text/")
            + QString(name).replace(QStringLiteral(".rtf"), QStringLiteral(".txt"));
        const QStringList expected = wordsInOrder(QString::fromUtf8(readBytes(kept)));
        EXPECT_TRUE(wordsInOrder(text) == expected)
            << knownDifferences().value(name).toStdString() << "\n" << difference(ours, wordsOf(expected.join(u' ')), QStringLiteral("the kept text's")).toStdString();
        EXPECT_NE(ours, theirs) << "now reads as LibreOffice does; drop it from the known differences";
        return;
    }
    EXPECT_EQ(ours.size(), theirs.size());
    EXPECT_TRUE(ours == theirs) << difference(ours, theirs).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Files, Corpus, testing::ValuesIn(CorpusFiles::names()),
                         [](const auto &info) { return CorpusFiles::testName(info.param); });

} // namespace
