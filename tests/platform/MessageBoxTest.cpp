#include "platform/App.h"
#include "support/ScriptedMessageBox.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageBoxService, ABoxWithoutATitleShowsTheApplicationTitle)
{
    App::setTitle(QStringLiteral("Corvala"));
    ScriptedMessageBox messages;
    messages.answers = {vbNo};

    EXPECT_EQ(messages.MsgBox(QStringLiteral("Do you want to start a new document."), vbYesNo), vbNo);
    messages.MsgBox(QStringLiteral("text"), vbOKOnly | vbExclamation, QStringLiteral("Application Error"));

    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Corvala"));
    EXPECT_EQ(messages.shown[0].style, vbYesNo);
    EXPECT_EQ(messages.shown[1].title, QStringLiteral("Application Error"));
}

} // namespace
