#include "platform/richtextbox/qtstate/TextRuns.h"

#include "platform/richtextbox/qtstate/QtPrivateState.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QtGui/private/qtextdocument_p.h>

void TextRuns::forEach(const QTextDocument &document,
                       const std::function<void(QStringView text, int position, int formatIndex)> &run)
{
    if (QtPrivateState::usable()) {
        const QTextDocumentPrivate &d = *QTextDocumentPrivate::get(&document);
        const QString text = d.buffer(); // shared, not copied
        int position = 0;
        for (auto it = d.begin(); it != d.end(); ++it) {
            const int size = int(it->size_array[0]);
            run(QStringView(text).mid(it->stringPosition, size), position, it->format);
            position += size;
        }
        return;
    }
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            run(fragment.text(), fragment.position(), fragment.charFormatIndex());
        }
    }
}
