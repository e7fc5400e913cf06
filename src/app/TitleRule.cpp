#include "app/TitleRule.h"

#include "platform/App.h"

namespace {
constexpr int kMaxTitleLength = 40;
}

QString TitleFromProductName(const QString &fullName)
{
    QString title = fullName;
    do {
        const qsizetype blank = title.lastIndexOf(QLatin1Char(' '));
        // A name with no blank left cannot be cut further; it is shortened instead, so the rule
        // always ends.
        title = blank >= 0 ? title.left(blank) : title.left(kMaxTitleLength);
    } while (title.size() > kMaxTitleLength);
    return title;
}

void ApplyTitleRule() { App::setTitle(TitleFromProductName(kProductName)); }
