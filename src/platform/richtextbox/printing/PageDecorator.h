#pragma once

#include "rtf/PageParts.h"

#include <QRectF>

#include <map>
#include <memory>

class QPainter;
class QPaintDevice;
class QTextDocument;

// Puts a document's headers and footers on printed pages: each part is read once and laid out
// for the printer at the text's width; the page number and page count are put into a part's
// fields page by page. A part without such fields is laid out once for all pages.
class PageDecorator
{
public:
    // `document` is the one whose kept parts are printed; `width` the text's width in the
    // printer's pixels.
    PageDecorator(const QTextDocument &document, QPaintDevice *printer, qreal width);
    ~PageDecorator();
    PageDecorator(const PageDecorator &) = delete;
    PageDecorator &operator=(const PageDecorator &) = delete;

    // The tallest header and footer that any page shows, so that every page leaves them room.
    qreal headerHeight() const { return m_tallest[0]; }
    qreal footerHeight() const { return m_tallest[1]; }

    // Draws page `page` (from 1) of `pages`: the header with its top at `headerTop`, the footer
    // with its bottom at `footerBottom`, both from `left`.
    void draw(QPainter &painter, int page, int pages, qreal left, qreal headerTop, qreal footerBottom) const;

private:
    struct Part;
    const Part *part(PageParts::Kind kind, int page) const;

    PageParts::Set m_parts;
    std::map<const QByteArray *, std::unique_ptr<Part>> m_read;
    qreal m_tallest[2] = {0, 0};
};
