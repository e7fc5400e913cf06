#pragma once

// What a document's layout shows and answers, to compare a layout made change by change with
// one made afresh.
#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <memory>

// Every block's and line's rectangle, the document's size, pictures of a few screens, and the
// positions hit at points on them.
struct LayoutPicture
{
    QList<QRectF> rects;
    QSizeF size;
    QList<QImage> screens;
    QList<int> hits;
    bool operator==(const LayoutPicture &) const = default;
};

// With `screens` false, only the rectangles, the size and the hits: quick enough to take after
// every one of hundreds of changes.
inline LayoutPicture layoutPicture(QTextDocument &document, double screenWidth, bool screens = true)
{
    LayoutPicture picture;
    QAbstractTextDocumentLayout *layout = document.documentLayout();
    picture.size = layout->documentSize();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        picture.rects.append(layout->blockBoundingRect(block));
        const QTextLayout *lines = block.layout();
        for (int i = 0; i < lines->lineCount(); ++i)
            picture.rects.append(lines->lineAt(i).rect());
    }
    const double height = picture.size.height();
    for (const double top : {0.0, height * 0.4, height * 0.62, height - 300}) {
        if (screens) {
            QImage screen(int(screenWidth), 300, QImage::Format_RGB32);
            screen.fill(Qt::white);
            QPainter painter(&screen);
            painter.translate(0, -top);
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = QRectF(0, top, screenWidth, 300);
            layout->draw(&painter, context);
            picture.screens.append(screen);
        }
        for (int y = 5; y < 300; y += 37)
            picture.hits.append(layout->hitTest(QPointF(60, top + y), Qt::FuzzyHit));
    }
    return picture;
}

// The same document laid out by Qt from the start.
inline std::unique_ptr<QTextDocument> laidOutAfresh(const QTextDocument &document)
{
    std::unique_ptr<QTextDocument> copy(document.clone());
    copy->setDefaultFont(document.defaultFont());
    copy->setDefaultTextOption(document.defaultTextOption());
    copy->setPageSize(document.pageSize());
    return copy;
}
