#include "rtf/KeptRtfParts.h"

#include <QTextDocument>
#include <QUrl>
#include <QVariant>

Q_DECLARE_METATYPE(KeptRtfParts)

namespace {

// Never a name an image or a file could have.
const QUrl &keptName()
{
    static const QUrl name(QStringLiteral("kept-rtf-parts:document"));
    return name;
}

} // namespace

KeptRtfParts keptRtfParts(const QTextDocument &document)
{
    const QVariant kept = document.resource(QTextDocument::UserResource, keptName());
    return kept.canConvert<KeptRtfParts>() ? kept.value<KeptRtfParts>() : KeptRtfParts{};
}

void keepRtfParts(QTextDocument &document, const KeptRtfParts &parts)
{
    document.addResource(QTextDocument::UserResource, keptName(), QVariant::fromValue(parts));
}
