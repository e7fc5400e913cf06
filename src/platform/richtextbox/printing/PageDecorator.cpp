#include "platform/richtextbox/printing/PageDecorator.h"

#include "base/Failure.h"
#include "platform/richtextbox/printing/PaperFit.h"
#include "rtf/files/DocumentFiles.h"
#include "rtf/read/RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

struct PageDecorator::Part
{
    std::unique_ptr<QTextDocument> document;
    bool hasFields = false;
};

namespace {

void layOut(QTextDocument &document, QPaintDevice *printer, qreal width)
{
    document.documentLayout()->setPaintDevice(printer);
    document.setTextWidth(width);
}

// The part with this page's number and count in its fields.
std::unique_ptr<QTextDocument> withPageNumbers(const QTextDocument &part, int page, int pages)
{
    std::unique_ptr<QTextDocument> numbered(part.clone());
    for (const auto &[mark, number] : {std::pair{PageParts::pageNumberMark, page}, std::pair{PageParts::pageCountMark, pages}}) {
        QTextCursor found = numbered->find(QString(mark));
        while (!found.isNull()) {
            found.insertText(QString::number(number)); // in the mark's own format
            found = numbered->find(QString(mark), found);
        }
    }
    return numbered;
}

} // namespace

PageDecorator::PageDecorator(const QTextDocument &document, QPaintDevice *printer, qreal width)
    : m_parts(PageParts::pageParts(keptRtfParts(document)))
{
    if (m_parts.isEmpty())
        return;
    for (const QByteArray *rtf : {&m_parts.header, &m_parts.headerFirst, &m_parts.headerLeft, &m_parts.headerRight,
                                  &m_parts.footer, &m_parts.footerFirst, &m_parts.footerLeft, &m_parts.footerRight}) {
        if (rtf->isEmpty())
            continue;
        auto part = std::make_unique<Part>();
        try {
            part->document = documentFromRtf(*rtf);
        } catch (const Failure &) {
            continue; // a part that can't be read is left off the paper; the text still prints
        }
        part->document->setDefaultFont(document.defaultFont());
        part->document->setDefaultTextOption(document.defaultTextOption());
        PaperFit::breakLinesAtPageWidth(*part->document);
        const QString text = part->document->toPlainText();
        part->hasFields = text.contains(PageParts::pageNumberMark) || text.contains(PageParts::pageCountMark);
        layOut(*part->document, printer, width);
        m_read.emplace(rtf, std::move(part));
    }
    // The tallest part of each kind that some page shows: the first, a left and a right page.
    for (int page = 1; page <= 3; ++page) {
        for (int kind = 0; kind < 2; ++kind) {
            if (const Part *shown = this->part(kind == 0 ? PageParts::Kind::Header : PageParts::Kind::Footer, page))
                m_tallest[kind] = std::max(m_tallest[kind], shown->document->documentLayout()->documentSize().height());
        }
    }
}

PageDecorator::~PageDecorator() = default;

const PageDecorator::Part *PageDecorator::part(PageParts::Kind kind, int page) const
{
    const auto found = m_read.find(&m_parts.part(kind, page));
    return found == m_read.end() ? nullptr : found->second.get();
}

void PageDecorator::draw(QPainter &painter, int page, int pages, qreal left, qreal headerTop,
                         qreal footerBottom) const
{
    for (const auto kind : {PageParts::Kind::Header, PageParts::Kind::Footer}) {
        const Part *shown = part(kind, page);
        if (!shown)
            continue;
        std::unique_ptr<QTextDocument> numbered;
        QTextDocument *document = shown->document.get();
        if (shown->hasFields) {
            numbered = withPageNumbers(*document, page, pages);
            layOut(*numbered, painter.device(), document->textWidth());
            document = numbered.get();
        }
        const qreal height = document->documentLayout()->documentSize().height();
        painter.save();
        painter.translate(left, kind == PageParts::Kind::Header ? headerTop : footerBottom - height);
        document->drawContents(&painter);
        painter.restore();
    }
}
