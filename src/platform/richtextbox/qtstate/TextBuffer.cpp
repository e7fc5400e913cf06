#include "platform/richtextbox/qtstate/TextBuffer.h"

#include "platform/richtextbox/qtstate/QtPrivateState.h"

#include <QTextDocument>
#include <QtGui/private/qtextdocument_p.h>

namespace {

// Qt keeps the buffer in a private member of its document; naming a member in an explicit
// instantiation is allowed whatever its access, which gives a pointer to it.
QString QTextDocumentPrivate::*textMember();

template <QString QTextDocumentPrivate::*Member>
struct TextMember
{
    friend QString QTextDocumentPrivate::*textMember() { return Member; }
};
template struct TextMember<&QTextDocumentPrivate::text>;

} // namespace

void TextBuffer::trim(QTextDocument &document)
{
    if (QtPrivateState::usable())
        (QTextDocumentPrivate::get(&document)->*textMember()).squeeze();
}
