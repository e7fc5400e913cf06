#include "app/ErrorReport.h"
#include "base/Failure.h"
#include "support/ScriptedMessageBox.h"

#include <gtest/gtest.h>

namespace {

const QString kResize = QStringLiteral("in Corvala2021/08/31.Form1.Form_Resize ");

TEST(ErrorReportText, DescriptionLocationLineAndRequestInOrder)
{
    EXPECT_EQ(ErrorReportText(QStringLiteral("Invalid property value"), kResize, 104),
              QStringLiteral("Invalid property value\r\nin Corvala2021/08/31.Form1.Form_Resize at line 104"
                             "\r\rPlease email screenshot of this message to support@corvala.software"));
}

TEST(ReportingProcedure, FailedStepShowsOneWarningBoxAndTheNextStepRuns)
{
    ScriptedMessageBox messages;
    ReportingProcedure proc(messages, kResize);
    QStringList ran;

    EXPECT_TRUE(proc.Step(100, [&] { ran << "100"; }));
    EXPECT_FALSE(proc.Step(102, [&] { throw Failure(QStringLiteral("Overflow")); }));
    EXPECT_TRUE(proc.Step(104, [&] { ran << "104"; }));

    EXPECT_EQ(ran, QStringList({"100", "104"}));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Application Error"));
    EXPECT_EQ(messages.shown[0].style, vbOKOnly | vbExclamation);
    EXPECT_EQ(messages.shown[0].style, 48);
    EXPECT_TRUE(messages.shown[0].prompt.startsWith("Overflow\r\nin Corvala2021/08/31.Form1.Form_Resize at line 102\r\r"));
}

TEST(ReportingProcedure, EveryActionOfASharedLineRunsAndEachFailureIsReportedWithThatLine)
{
    ScriptedMessageBox messages;
    ReportingProcedure proc(messages, QStringLiteral("in Corvala2021/08/31.Form1.Form_Load "));
    int actionsRun = 0;

    proc.Step(126, [&] { throw Failure(QStringLiteral("first")); });
    proc.Step(126, [&] { ++actionsRun; });
    proc.Step(126, [&] { throw std::runtime_error("third"); });
    proc.Step(128, [&] { ++actionsRun; });

    EXPECT_EQ(actionsRun, 2);
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_TRUE(messages.shown[0].prompt.contains("at line 126\r"));
    EXPECT_TRUE(messages.shown[1].prompt.startsWith("third\r\n"));
    EXPECT_TRUE(messages.shown[1].prompt.contains("at line 126\r"));
}

TEST(ReportingProcedure, AFailedTestRunsTheStepsItGuardsAsIfItHadPassed)
{
    struct Case {
        const char *name;
        std::function<bool()> condition;
        bool guardedStepsRun;
        int reports;
    };
    const Case cases[] = {
        {"passes", [] { return true; }, true, 0},
        {"fails to pass", [] { return false; }, false, 0},
        {"throws", []() -> bool { throw Failure(QStringLiteral("File not found")); }, true, 1},
    };
    for (const Case &c : cases) {
        ScriptedMessageBox messages;
        ReportingProcedure proc(messages, QStringLiteral("in Corvala2021/08/31.Form1.Form_Load "));
        EXPECT_EQ(proc.Test(104, c.condition), c.guardedStepsRun) << c.name;
        EXPECT_EQ(messages.shown.size(), c.reports) << c.name;
    }
}

TEST(ReportingProcedure, LineNumberIsPlainDigits)
{
    ScriptedMessageBox messages;
    ReportingProcedure(messages, kResize).Report(QStringLiteral("x"), 102);
    EXPECT_TRUE(messages.shown[0].prompt.contains(QStringLiteral("at line 102\r")));
}

} // namespace
