#include "app/TitleRule.h"
#include "platform/App.h"

#include <gtest/gtest.h>

namespace {

TEST(TitleRule, CutsAtTheLastBlankAtLeastOnceUntilFortyCharactersAreLeft)
{
    const struct {
        const char *fullName;
        const char *title;
    } cases[] = {
        {"Corvala Software", "Corvala"},
        {"Short", "Short"},                 // no blank to cut at: left as it is
        {"A B C", "A B"},                   // one cut is enough when short
        {"Fourteen chars Twenty-six characters here Tail", "Fourteen chars Twenty-six characters"},
        {"Twenty characters ab Twenty characters cd Another", "Twenty characters ab Twenty characters"},
        {"Xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", "Xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(TitleFromProductName(QString::fromLatin1(c.fullName)), QString::fromLatin1(c.title))
            << c.fullName;
}

TEST(TitleRule, AppliedRuleGivesTheApplicationTitleCorvala)
{
    App::setTitle(QStringLiteral("something else"));
    ApplyTitleRule();
    EXPECT_EQ(App::Title(), QStringLiteral("Corvala"));
}

} // namespace
