// Printing the editing area's document.
#include "platform/richtextbox/RichTextBox.h"

#include "base/Failure.h"
#include "platform/richtextbox/printing/PageDecorator.h"
#include "platform/richtextbox/printing/PaperFit.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <memory>
#include <vector>

namespace {

// No text comes closer to the paper's edge than this, whatever margins the printer reports:
// a printer gives only what it cannot reach, which is far less than a page wants.
constexpr double kLeastMarginMillimetres = 20;
// Headers and footers stand this far from the paper's edge (half an inch, as RTF's \headery
// and \footery have it unless a file says otherwise), and this far from the text.
constexpr double kPartFromEdgeMillimetres = 12.7;
constexpr double kPartGapMillimetres = 2;

// A document made from part of another takes its text and formats but not its pictures,
// which live with the document they came from: they are copied over by name.
void copyPictures(const QTextDocument &from, QTextDocument &to)
{
    for (QTextBlock block = to.begin(); block.isValid(); block = block.next()) {
        for (auto piece = block.begin(); !piece.atEnd(); ++piece) {
            const QTextCharFormat format = piece.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QUrl name(format.toImageFormat().name());
            const QVariant picture = from.resource(QTextDocument::ImageResource, name);
            if (picture.isValid())
                to.addResource(QTextDocument::ImageResource, name, picture);
        }
    }
}

// The area on each page that the text is laid out in, in the printer's pixels, relative to
// the printable area where the painter starts.
QRectF textArea(QPrinter &printer)
{
    const double dotsPerMillimetre = printer.resolution() / 25.4;
    const QMarginsF margins = printer.pageLayout().margins(QPageLayout::Millimeter);
    auto inset = [&](double margin) { return std::max(0.0, kLeastMarginMillimetres - margin) * dotsPerMillimetre; };
    const QRectF printable = printer.pageRect(QPrinter::DevicePixel);
    return QRectF(0, 0, printable.width(), printable.height())
        .marginsRemoved(QMarginsF(inset(margins.left()), inset(margins.top()), inset(margins.right()),
                                  inset(margins.bottom())));
}

// Qt lets go of the data of every font nothing holds as soon as it knows a few hundred, and a
// document of many formats laid out for a printer would then load its fonts over and over. The
// fonts of every format, for the printer, are held while the document is printed.
std::vector<QFont> holdFonts(const QTextDocument &document, QPaintDevice *printer)
{
    std::vector<QFont> fonts;
    for (const QTextFormat &format : document.allFormats()) {
        if (!format.isCharFormat())
            continue;
        QFont font(format.toCharFormat().font().resolve(document.defaultFont()), printer);
        QFontMetricsF(font).height(); // loads it
        fonts.push_back(font);
    }
    return fonts;
}

} // namespace

void RichTextBox::SelPrint(QPrinter *printer) const
{
    if (!printer)
        return;

    const QTextCursor selection = textCursor();
    std::unique_ptr<QTextDocument> copy;
    if (selection.hasSelection()) {
        copy = std::make_unique<QTextDocument>();
        copy->setDefaultFont(document()->defaultFont());
        copy->setDefaultTextOption(document()->defaultTextOption());
        QTextCursor(copy.get()).insertFragment(selection.selection());
        copyPictures(*document(), *copy);
    } else {
        copy.reset(document()->clone());
    }
    PaperFit::breakLinesAtPageWidth(*copy);

    // What is printed depends only on the selection, never on a range left in the printer.
    printer->setPrintRange(QPrinter::AllPages);
    printer->setFromTo(0, 0);
    QPainter painter;
    if (!painter.begin(printer)) {
        throw Failure(printer->outputFileName().isEmpty()
                          ? QStringLiteral("The printer could not be started.")
                          : QStringLiteral("Cannot write \"%1\".").arg(printer->outputFileName()));
    }

    // Laid out for the printer's own resolution, in pages of the text area's size less the room
    // that the headers and footers take.
    const QRectF area = textArea(*printer);
    const PageDecorator decorator(*document(), printer, area.width());
    const double dotsPerMillimetre = printer->resolution() / 25.4;
    const QMarginsF margins = printer->pageLayout().margins(QPageLayout::Millimeter);
    const qreal headerTop = std::max(0.0, (kPartFromEdgeMillimetres - margins.top()) * dotsPerMillimetre);
    const qreal footerBottom = printer->pageRect(QPrinter::DevicePixel).height()
        - std::max(0.0, (kPartFromEdgeMillimetres - margins.bottom()) * dotsPerMillimetre);
    const qreal gap = kPartGapMillimetres * dotsPerMillimetre;
    QRectF body = area;
    if (decorator.headerHeight() > 0)
        body.setTop(std::max(body.top(), headerTop + decorator.headerHeight() + gap));
    if (decorator.footerHeight() > 0)
        body.setBottom(std::min(body.bottom(), footerBottom - decorator.footerHeight() - gap));
    // Headers taller than most of the page are drawn over the text rather than leave no room.
    if (body.height() < area.height() / 4)
        body = area;

    copy->documentLayout()->setPaintDevice(printer);
    const std::vector<QFont> fonts = holdFonts(*copy, printer);
    PaperFit::fitPictures(*copy, body.size(), *printer);
    copy->setPageSize(body.size());
    const int pages = copy->pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            printer->newPage();
        const QRectF shown(0, page * body.height(), body.width(), body.height());
        painter.save();
        painter.translate(body.left(), body.top() - shown.top());
        copy->drawContents(&painter, shown);
        PaperFit::drawSplitRowBorders(painter, *copy, shown.top(), shown.bottom());
        painter.restore();
        decorator.draw(painter, page + 1, pages, area.left(), headerTop, footerBottom);
    }
    painter.end();
}
