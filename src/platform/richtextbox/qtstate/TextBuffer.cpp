#include "platform/richtextbox/qtstate/TextBuffer.h"

#include <QLibraryInfo>
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
    // The member is where the private header built against says: only with that same Qt.
    static const bool sameQt = QLibraryInfo::version().majorVersion() == QT_VERSION_MAJOR
        && QLibraryInfo::version().minorVersion() == QT_VERSION_MINOR;
    if (sameQt)
        (QTextDocumentPrivate::get(&document)->*textMember()).squeeze();
}
