// Whether a plain-text save would lose something: text alone in the default format keeps
// everything; any format, object, table, list or kept part of a file does not.
#include "rtf/PlainTextLoss.h"
#include "rtf/read/RtfReader.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <functional>
#include <gtest/gtest.h>

namespace {

QFont editingAreaFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9);
    font.setBold(true);
    return font;
}

TEST(PlainTextLoss, OnlyTextInTheDefaultFormatIsKeptByPlainText)
{
    const auto charFormat = [](const std::function<void(QTextCharFormat &)> &set) {
        return [set](QTextCursor &cursor) {
            QTextCharFormat format;
            set(format);
            cursor.insertText(QStringLiteral("b"), format);
        };
    };
    const struct {
        const char *name;
        std::function<void(QTextCursor &)> build;
        bool loses;
    } cases[] = {
        {"text, tabs and breaks", [](QTextCursor &c) { c.insertText(QStringLiteral("a\tb\u2028c\nd")); }, false},
        {"the default font set explicitly", charFormat([](QTextCharFormat &f) {
             f.setFontFamilies({QStringLiteral("Arial")});
             f.setFontPointSize(9);
             f.setFontWeight(QFont::Bold);
             f.setForeground(QColor(Qt::black));
         }), false},
        {"an empty paragraph's format", [](QTextCursor &c) {
             QTextCharFormat italic;
             italic.setFontItalic(true);
             c.insertBlock(QTextBlockFormat(), italic);
         }, false},
        {"not bold", charFormat([](QTextCharFormat &f) { f.setFontWeight(QFont::Normal); }), true},
        {"italic", charFormat([](QTextCharFormat &f) { f.setFontItalic(true); }), true},
        {"underline", charFormat([](QTextCharFormat &f) { f.setFontUnderline(true); }), true},
        {"another font", charFormat([](QTextCharFormat &f) { f.setFontFamilies({QStringLiteral("Courier New")}); }), true},
        {"another size", charFormat([](QTextCharFormat &f) { f.setFontPointSize(12); }), true},
        {"a colour", charFormat([](QTextCharFormat &f) { f.setForeground(QColor(Qt::red)); }), true},
        {"superscript", charFormat([](QTextCharFormat &f) { f.setVerticalAlignment(QTextCharFormat::AlignSuperScript); }), true},
        {"a link", charFormat([](QTextCharFormat &f) { f.setAnchor(true); f.setAnchorHref(QStringLiteral("https://example.org")); }), true},
        {"centred", [](QTextCursor &c) {
             QTextBlockFormat centred;
             centred.setAlignment(Qt::AlignHCenter);
             c.setBlockFormat(centred);
             c.insertText(QStringLiteral("a"));
         }, true},
        {"indented", [](QTextCursor &c) {
             QTextBlockFormat indented;
             indented.setLeftMargin(20);
             c.setBlockFormat(indented);
         }, true},
        {"a list", [](QTextCursor &c) { c.insertList(QTextListFormat::ListDecimal); c.insertText(QStringLiteral("a")); }, true},
        {"a table", [](QTextCursor &c) { c.insertTable(1, 2); }, true},
        {"a picture", [](QTextCursor &c) {
             QTextImageFormat picture;
             picture.setName(QStringLiteral("p.png"));
             c.insertImage(picture);
         }, true},
    };
    for (const auto &c : cases) {
        QTextDocument document;
        document.setDefaultFont(editingAreaFont());
        QTextCursor cursor(&document);
        c.build(cursor);
        EXPECT_EQ(plainTextLosesContent(document), c.loses) << c.name;
    }
}

// A file read back keeps its headers and information: plain text would drop them.
TEST(PlainTextLoss, PartsKeptFromAFileAreLost)
{
    const struct {
        const char *rtf;
        bool loses;
    } cases[] = {
        {"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs18\\b plain\\par}", false},
        {"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\header head\\par}\\f0\\fs18\\b plain\\par}", true},
        {"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\info{\\title T}}\\f0\\fs18\\b plain\\par}", true},
    };
    for (const auto &c : cases) {
        const auto document = documentFromRtf(QByteArray(c.rtf));
        document->setDefaultFont(editingAreaFont());
        EXPECT_EQ(plainTextLosesContent(*document), c.loses) << c.rtf;
    }
}

} // namespace
