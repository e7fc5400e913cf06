// A table row that a page break splits keeps its borders on both pages.
#include "platform/richtextbox/printing/PaperFit.h"

#include "rtf/read/RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

// Body lines, then one row whose first cell runs on over the page break.
std::unique_ptr<QTextDocument> splitRow()
{
    QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}";
    for (int line = 1; line <= 8; ++line)
        rtf += "\\pard body line " + QByteArray::number(line) + "\\par\n";
    const QByteArray border = "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10"
                              "\\clbrdrr\\brdrs\\brdrw10";
    rtf += "\\trowd\\trgaph108" + border + "\\cellx2000" + border + "\\cellx4000\\pard\\intbl ";
    for (int line = 1; line <= 30; ++line)
        rtf += "cell line " + QByteArray::number(line) + "\\line ";
    rtf += "\\cell short\\cell\\row\\pard after\\par}";
    return documentFromRtf(rtf);
}

// How many of the pixels between x 20 and 240 of the image's row y are dark.
int darkPixels(const QImage &page, int y)
{
    int dark = 0;
    for (int x = 20; x < 240; ++x)
        dark += qGray(page.pixel(x, y)) < 128;
    return dark;
}

TEST(PaperFit, ARowSplitByAPageBreakHasItsBordersOnBothPages)
{
    const auto document = splitRow();
    const QSizeF pageSize(400, 300);
    document->setPageSize(pageSize);
    ASSERT_GE(document->pageCount(), 2);
    const qreal margin = document->documentMargin();
    const struct {
        int page;
        int borderRow; // in the page's image
    } cases[] = {
        {0, int(pageSize.height() - margin) - 1}, // the foot of the first page
        {1, int(margin)},                          // the head of the second
    };
    for (const auto &c : cases) {
        QImage image(pageSize.toSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        const QRectF shown(0, c.page * pageSize.height(), pageSize.width(), pageSize.height());
        painter.translate(0, -shown.top());
        document->drawContents(&painter, shown);
        PaperFit::drawSplitRowBorders(painter, *document, shown.top(), shown.bottom());
        painter.end();
        // Both cells' borders run across the row: the table is about 260 pixels wide.
        EXPECT_GT(darkPixels(image, c.borderRow), 200) << c.page;
    }
}

} // namespace
