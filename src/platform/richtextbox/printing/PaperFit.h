#pragma once

#include <QSizeF>

class QPainter;
class QPaintDevice;
class QTextDocument;

// What a document laid out in pages needs so that nothing of it is lost between the pages.
namespace PaperFit {

// Word Wrap says how lines break on the screen only. On paper a line that ran on past the
// margin would be cut off there and its end lost, so every line breaks at the page's width,
// whatever the document being printed was given by the screen.
void breakLinesAtPageWidth(QTextDocument &document);

// A picture larger than the text area would be cut in slices by the page breaks and at the
// page's right edge: each is made to fit the area, keeping its proportions. `document` is the
// copy that is printed; `area` is in the printer's pixels.
void fitPictures(QTextDocument &document, QSizeF area, QPaintDevice &printer);

// A table row that a page break splits has no border at the break: the layout draws a cell's
// borders around the whole cell only. This draws the split cells' bottom borders at the foot of
// the page that ends at `pageBottom`, and their top borders at the head of the page that starts
// at `pageTop`, in the document's coordinates, as the painter has them.
void drawSplitRowBorders(QPainter &painter, QTextDocument &document, qreal pageTop, qreal pageBottom);

} // namespace PaperFit
