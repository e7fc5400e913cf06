#include "platform/dialogs/CommonDialog.h"
#include "base/Failure.h"
#include "support/ScriptedDialogHost.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(CommonDialog, FilterPairsBecomeTheDialogsFileTypes)
{
    const struct {
        const char *filter;
        QStringList nameFilters;
    } cases[] = {
        {"RTF Files(*.rtf)|*.rtf|", {"RTF Files(*.rtf)"}},
        {"RTF Files(*.rtf)|*.rtf|Text Files(*.txt)|*.txt|", {"RTF Files(*.rtf)", "Text Files(*.txt)"}},
        {"Pictures|*.bmp;*.gif", {"Pictures (*.bmp *.gif)"}},
        {"", {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CommonDialog::NameFilters(QString::fromLatin1(c.filter)), c.nameFilters) << c.filter;
}

// A name typed without an extension gets the chosen type's in the Save dialog, before the
// question about replacing a file looks at it; the Open dialog and any name with an extension
// keep the name as typed.
TEST(CommonDialog, SaveAddsTheChosenTypesExtensionToANameWithoutOne)
{
    const QString filter = QStringLiteral("RTF Files(*.rtf)|*.rtf|Text Files(*.txt)|*.txt|All|*.*|");
    const struct {
        bool open;
        const char *typed;
        int type;
        const char *expected;
    } cases[] = {
        {false, "/tmp/doc1", 1, "/tmp/doc1.rtf"},
        {false, "/tmp/doc1", 2, "/tmp/doc1.txt"},
        {false, "/tmp/doc1", 3, "/tmp/doc1"},          // a type without an extension of its own
        {false, "/tmp/notes.md", 1, "/tmp/notes.md"},  // any extension is kept
        {false, "/tmp/report.rtf", 2, "/tmp/report.rtf"},
        {false, "/tmp/v1.2/doc1", 1, "/tmp/v1.2/doc1.rtf"},  // a dot in a folder's name is no extension
        {true, "/tmp/doc1", 1, "/tmp/doc1"},
    };
    for (const auto &c : cases) {
        ScriptedDialogHost host;
        CommonDialog cd(host);
        cd.Filter = filter;
        host.answerFile(QString::fromLatin1(c.typed), c.type);
        c.open ? cd.ShowOpen() : cd.ShowSave();
        EXPECT_EQ(cd.FileName, QString::fromLatin1(c.expected)) << c.typed << " " << c.type;
        EXPECT_EQ(host.fileRequests[0].extensions,
                  c.open ? QStringList() : QStringList({".rtf", ".txt", ""})) << c.typed;
    }

    // The question about replacing a file is asked of the name that would be written.
    QTemporaryDir dir;
    QFile existing(dir.filePath(QStringLiteral("doc1.rtf")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    ScriptedDialogHost host;
    CommonDialog cd(host);
    cd.Filter = filter;
    cd.Flags = CommonDialog::cdlOFNOverwritePrompt;
    QStringList asked;
    cd.ConfirmReplace = [&](const QString &name) { asked << name; return true; };
    host.answerFile(dir.filePath(QStringLiteral("doc1")), 1);
    cd.ShowSave();
    EXPECT_EQ(asked, QStringList({existing.fileName()}));
    EXPECT_EQ(cd.FileName, existing.fileName());
}

TEST(CommonDialog, FileDialogKeepsItsValuesAndCancelChangesNothing)
{
    ScriptedDialogHost host;
    CommonDialog cd(host);
    cd.DialogTitle = QStringLiteral("Save As");
    cd.Filter = QStringLiteral("RTF Files(*.rtf)|*.rtf|Text Files(*.txt)|*.txt|");
    cd.Flags = 0x280001;

    host.answerFile(QStringLiteral("/tmp/notes.txt"), 2);
    cd.ShowSave();
    EXPECT_EQ(cd.FileName, QStringLiteral("/tmp/notes.txt"));
    EXPECT_EQ(cd.FilterIndex, 2);

    host.cancelFile();
    cd.ShowOpen();
    EXPECT_EQ(cd.FileName, QStringLiteral("/tmp/notes.txt"));
    EXPECT_EQ(cd.FilterIndex, 2);

    ASSERT_EQ(host.fileRequests.size(), 2);
    const FileDialogRequest &save = host.fileRequests[0];
    EXPECT_FALSE(save.open);
    EXPECT_EQ(save.title, QStringLiteral("Save As"));
    EXPECT_EQ(save.filterIndex, 1); // FilterIndex 0: the first type
    EXPECT_FALSE(save.confirmOverwrite);
    const FileDialogRequest &open = host.fileRequests[1];
    EXPECT_TRUE(open.open);
    EXPECT_EQ(open.filterIndex, 2); // the type chosen last time
    EXPECT_FALSE(open.fileMustExist);
}

TEST(CommonDialog, CancelRaisesAnErrorOnlyWhenAskedTo)
{
    ScriptedDialogHost host;
    CommonDialog cd(host);
    EXPECT_FALSE(cd.ShowFont());
    EXPECT_FALSE(cd.ShowColor());
    EXPECT_FALSE(cd.ShowPrinter());
    cd.CancelError = true;
    EXPECT_THROW(cd.ShowOpen(), Failure);
    EXPECT_THROW(cd.ShowFont(), Failure);
    EXPECT_THROW(cd.ShowColor(), Failure);
    EXPECT_THROW(cd.ShowPrinter(), Failure);
}

TEST(CommonDialog, ThePrinterAndItsSettingsStayForLaterDialogsButACancelGivesNoPrinter)
{
    ScriptedDialogHost host;
    CommonDialog cd(host);
    cd.Flags = CommonDialog::cdlPDReturnDC;
    host.answerPrinterToPdf(QStringLiteral("/tmp/first.pdf"));
    ASSERT_TRUE(cd.ShowPrinter());
    ASSERT_NE(cd.hDC(), nullptr);
    cd.hDC()->setPageOrientation(QPageLayout::Landscape); // as chosen in the dialog

    host.cancelPrinter();
    EXPECT_FALSE(cd.ShowPrinter());
    EXPECT_EQ(cd.hDC(), nullptr);
    ASSERT_EQ(host.printerRequests.size(), 2);
    EXPECT_EQ(host.printerRequests[1].printer, host.printerRequests[0].printer);
    EXPECT_EQ(host.printerRequests[1].printer->pageLayout().orientation(), QPageLayout::Landscape);

    cd.Flags = 0; // accepted, but without asking for the printer
    host.answerPrinterToPdf(QStringLiteral("/tmp/second.pdf"));
    EXPECT_TRUE(cd.ShowPrinter());
    EXPECT_EQ(cd.hDC(), nullptr);
}

} // namespace
