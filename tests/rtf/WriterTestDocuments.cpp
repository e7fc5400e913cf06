#include "WriterTestDocuments.h"

#include <QFont>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>

std::unique_ptr<QTextDocument> makeDocument(const QList<TestParagraph> &paragraphs)
{
    auto document = std::make_unique<QTextDocument>();
    // A default font of its own, so that what is written does not depend on the machine's.
    document->setDefaultFont(QFont(QStringLiteral("Liberation Serif"), 12));
    QTextCursor cursor(document.get());
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            cursor.insertBlock(paragraphs[i].format);
        else
            cursor.setBlockFormat(paragraphs[i].format);
        for (const TestRun &run : paragraphs[i].runs)
            cursor.insertText(run.text, run.format);
    }
    return document;
}

QTextCharFormat pictureFormat(QTextDocument &document, const QString &name, QSize pixels, QSizeF drawn)
{
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(QColor(0x20, 0x80, 0xc0));
    document.addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.setName(name);
    if (!drawn.isEmpty()) {
        format.setWidth(drawn.width());
        format.setHeight(drawn.height());
    }
    return format;
}

QTextCharFormat charFormat(std::initializer_list<std::pair<QTextFormat::Property, QVariant>> properties)
{
    QTextCharFormat format;
    for (const auto &[property, value] : properties)
        format.setProperty(property, value);
    return format;
}

std::unique_ptr<QTextDocument> makeSampleDocument(SampleTable withTable)
{
    const auto format = [](QTextFormat::Property property, const QVariant &value) {
        return charFormat({{property, value}});
    };
    QTextBlockFormat centred, right, justified;
    centred.setAlignment(Qt::AlignHCenter);
    right.setAlignment(Qt::AlignRight);
    justified.setAlignment(Qt::AlignJustify);
    auto document = makeDocument({
        {{{QStringLiteral("Plain, ")},
          {QStringLiteral("bold"), format(QTextFormat::FontWeight, QFont::Bold)},
          {QStringLiteral(", ")},
          {QStringLiteral("italic"), format(QTextFormat::FontItalic, true)},
          {QStringLiteral(", ")},
          {QStringLiteral("underlined"), format(QTextFormat::TextUnderlineStyle, QTextCharFormat::SingleUnderline)},
          {QStringLiteral(", ")},
          {QStringLiteral("struck"), format(QTextFormat::FontStrikeOut, true)},
          {QStringLiteral(", ")},
          {QStringLiteral("red"), format(QTextFormat::ForegroundBrush, QBrush(QColor(255, 0, 0)))},
          {QStringLiteral(", ")},
          {QStringLiteral("highlighted"), format(QTextFormat::BackgroundBrush, QBrush(QColor(255, 255, 0)))},
          {QStringLiteral(", ")},
          {QStringLiteral("monospaced"), format(QTextFormat::FontFamilies, QStringList{QStringLiteral("Liberation Mono")})},
          {QStringLiteral(", ")},
          {QStringLiteral("twenty points"), format(QTextFormat::FontPointSize, 20.0)},
          {QStringLiteral(".")}}},
        {{{QStringLiteral("Centred: Съешь же ещё этих мягких булок")}}, centred},
        {{{QStringLiteral("Right: 中文文本，日本語のテキスト")}}, right},
        {{{QStringLiteral("Justified: emoji \U0001F600, no-break\u00a0space, tab\tafter, line\u2028break, "
                          "escapes \\ { }")}},
         justified},
        {{{QStringLiteral("Picture: ")}}},
    });
    QTextCursor cursor(document.get());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QString(QChar::ObjectReplacementCharacter),
                      pictureFormat(*document, QStringLiteral("sample-picture"), {40, 20}, {80, 40}));
    cursor.insertText(QStringLiteral(" after the picture."), QTextCharFormat());
    if (withTable == SampleTable::Without)
        return document;
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("Table:"));
    insertSampleTable(cursor);
    cursor.insertText(QStringLiteral("Last paragraph."));
    return document;
}

void insertSampleTable(QTextCursor &cursor)
{
    QTextTable *table = cursor.insertTable(2, 2);
    table->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("a1"));
    table->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("b1"));
    table->cellAt(1, 0).firstCursorPosition().insertText(QStringLiteral("a2"));
    table->cellAt(1, 1).firstCursorPosition().insertText(QStringLiteral("b2"));
    cursor.movePosition(QTextCursor::End);
}

std::unique_ptr<QTextDocument> makeTableDocument()
{
    auto document = std::make_unique<QTextDocument>();
    QTextCursor cursor(document.get());
    cursor.insertText(QStringLiteral("before"));
    QTextTableFormat format;
    format.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 60), QTextLength(QTextLength::FixedLength, 80),
                                      QTextLength(QTextLength::FixedLength, 100), QTextLength(QTextLength::FixedLength, 120)});
    format.setBorderCollapse(true);
    format.setBorder(0);
    QTextTable *table = cursor.insertTable(3, 4, format);
    table->mergeCells(0, 0, 1, 2);
    table->mergeCells(1, 2, 2, 1);
    QTextTableCellFormat shaded;
    shaded.setBackground(QColor(255, 255, 0));
    shaded.setTopBorder(2);
    shaded.setTopBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    shaded.setTopBorderBrush(QColor(255, 0, 0));
    table->cellAt(0, 2).setFormat(shaded);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            if (cell.row() == row && cell.column() == column)
                cell.firstCursorPosition().insertText(QStringLiteral("r%1c%2").arg(row).arg(column));
        }
    }
    QTextCursor inCell = table->cellAt(1, 0).lastCursorPosition();
    QTextTable *nested = inCell.insertTable(2, 2);
    for (int i = 0; i < 4; ++i)
        nested->cellAt(i / 2, i % 2).firstCursorPosition().insertText(QStringLiteral("n%1").arg(i));
    table->cellAt(2, 3).lastCursorPosition().insertText(QStringLiteral("\u2029second"));
    QTextCursor end(document.get());
    end.movePosition(QTextCursor::End);
    end.insertText(QStringLiteral("after"));
    return document;
}

namespace {

QString colorOf(const QTextFormat &format, QTextFormat::Property property)
{
    if (!format.hasProperty(property) || format.brushProperty(property).style() == Qt::NoBrush)
        return {};
    return format.brushProperty(property).color().name();
}

QString pictureSize(const QTextDocument &document, const QTextImageFormat &format)
{
    QSizeF size(format.width(), format.height());
    if (size.width() <= 0 || size.height() <= 0) {
        const QImage image = document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
        size = image.size();
    }
    return QStringLiteral("%1x%2").arg(qRound(size.width())).arg(qRound(size.height()));
}

RunLook lookOf(const QTextDocument &document, const QTextCharFormat &format)
{
    RunLook look;
    const QFont font = format.font().resolve(document.defaultFont());
    look.family = font.families().value(0, font.family());
    look.pointSize = font.pointSizeF();
    look.bold = font.weight() >= QFont::DemiBold;
    look.italic = font.italic();
    look.underline = font.underline();
    look.strike = font.strikeOut();
    look.foreground = colorOf(format, QTextFormat::ForegroundBrush);
    look.background = colorOf(format, QTextFormat::BackgroundBrush);
    look.verticalAlignment = format.verticalAlignment();
    if (format.isAnchor())
        look.link = format.anchorHref();
    if (format.isImageFormat())
        look.picture = pictureSize(document, format.toImageFormat());
    return look;
}

} // namespace

QList<ParagraphLook> lookOf(const QTextDocument &document)
{
    QList<ParagraphLook> paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        ParagraphLook paragraph;
        paragraph.alignment = int(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask);
        if (block.length() <= 1)
            paragraph.emptyLook = lookOf(document, block.charFormat());
        if (paragraph.alignment == 0)
            paragraph.alignment = Qt::AlignLeft;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            RunLook run = lookOf(document, it.fragment().charFormat());
            run.text = it.fragment().text();
            // Runs that look the same are one run, however the document happens to split them.
            if (!paragraph.runs.isEmpty() && run.picture.isEmpty() && paragraph.runs.last().picture.isEmpty()) {
                RunLook previous = paragraph.runs.last();
                previous.text = run.text;
                if (previous == run) {
                    paragraph.runs.last().text += run.text;
                    continue;
                }
            }
            paragraph.runs.append(run);
        }
        paragraphs.append(paragraph);
    }
    return paragraphs;
}

void PrintTo(const RunLook &run, std::ostream *os)
{
    *os << "\"" << run.text.toStdString() << "\" " << run.family.toStdString() << " " << run.pointSize
        << "pt" << (run.bold ? " bold" : "") << (run.italic ? " italic" : "")
        << (run.underline ? " underline" : "") << (run.strike ? " strike" : "") << " fg="
        << run.foreground.toStdString() << " bg=" << run.background.toStdString()
        << " valign=" << run.verticalAlignment << " picture=" << run.picture.toStdString() << " link=" << run.link.toStdString();
}

void PrintTo(const ParagraphLook &paragraph, std::ostream *os)
{
    *os << "{align=" << paragraph.alignment;
    if (paragraph.runs.isEmpty()) {
        *os << " empty ";
        PrintTo(paragraph.emptyLook, os);
    }
    for (const RunLook &run : paragraph.runs) {
        *os << "\n    ";
        PrintTo(run, os);
    }
    *os << "}";
}
