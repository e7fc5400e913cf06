#include "DateDialogFixture.h"
#include "dialogs/PushToggleButton.h"
#include "support/ScriptedMessageBox.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QDateTime kThursdayAfternoon(QDate(2026, 3, 5), QTime(14, 5, 9));

class DateDialogTest : public ::testing::Test
{
public:
    void SetUp() override
    {
        resetDateDialogState();
        open(kThursdayAfternoon);
    }
    void TearDown() override { resetDateDialogState(); }

    // Loads and shows a fresh dialog (without waiting in it) with the clock at `now`.
    void open(const QDateTime &now)
    {
        delete dialog.data();
        dialog = fixedDateDialog(messages, nullptr, now);
        dialog->Form_Load();
        dialog->show();
    }

    QPoint centreOfRow(int row) const
    {
        return dialog->LstFormat->visualItemRect(dialog->LstFormat->item(row)).center();
    }

    ScriptedMessageBox messages;
    QPointer<frmDate> dialog;
};

TEST_F(DateDialogTest, LoadListsTheFifteenRenderingsWithNoneChosen)
{
    ASSERT_EQ(dialog->LstFormat->count(), 15);
    EXPECT_EQ(dialog->LstFormat->item(0)->text(), QStringLiteral("05/03/2026"));
    EXPECT_EQ(dialog->LstFormat->item(14)->text(), QStringLiteral("14:05"));
    EXPECT_TRUE(dialog->LstFormat->selectedItems().isEmpty());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Insert Date and Time"));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(DateDialogTest, HowTheDialogEnds)
{
    const struct {
        const char *name;
        std::function<void(frmDate &)> end;
        int result;
    } cases[] = {
        {"Insert", [](frmDate &d) { d.cmdInsert->click(); }, DateDialogInsert},
        {"Cancel", [](frmDate &d) { d.cmdCancel->click(); }, DateDialogConsumed},
        {"close box", [](frmDate &d) { d.close(); }, 0},
        {"Escape, like the close box", [](frmDate &d) { QTest::keyClick(&d, Qt::Key_Escape); }, 0},
    };
    for (const auto &c : cases) {
        resetDateDialogState();
        open(kThursdayAfternoon);
        dialog->LstFormat->setCurrentRow(4);
        c.end(*dialog);
        EXPECT_EQ(DateDialogResult, c.result) << c.name;
        EXPECT_EQ(DateDialogText, QStringLiteral("2026-03-05")) << c.name;
        EXPECT_TRUE(DateDialog.isNull()) << c.name << ": the unload clears the reference";
        EXPECT_FALSE(dialog->isVisible()) << c.name;
        EXPECT_EQ(dialog->cmdInsert->Value() + dialog->cmdCancel->Value(), 0) << c.name;
    }
}

TEST_F(DateDialogTest, ArrowKeysChooseLikeClicks)
{
    // As the dialog opens: active, with the keyboard focus in the list.
    QApplication::setActiveWindow(dialog);
    dialog->LstFormat->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(dialog->LstFormat->hasFocus());
    QTest::keyClick(dialog->LstFormat, Qt::Key_Down);
    const QString first = DateDialogText;
    QTest::keyClick(dialog->LstFormat, Qt::Key_Down);
    const QString second = DateDialogText;
    QTest::mouseClick(dialog->LstFormat->viewport(), Qt::LeftButton, {}, centreOfRow(9));
    EXPECT_EQ(QStringList({first, second, DateDialogText}),
              QStringList({"05/03/2026", "05/03/26", "05 March 2026"}));
}

TEST_F(DateDialogTest, DoubleClickInsertsTheEntryOnce)
{
    int inserts = 0;
    QObject::connect(dialog, &QDialog::accepted, [&] { ++inserts; });
    QTest::mouseClick(dialog->LstFormat->viewport(), Qt::LeftButton, {}, centreOfRow(10));
    QTest::mouseDClick(dialog->LstFormat->viewport(), Qt::LeftButton, {}, centreOfRow(10));
    EXPECT_EQ(inserts, 1);
    EXPECT_EQ(DateDialogResult, DateDialogInsert);
    EXPECT_EQ(DateDialogText, QStringLiteral("Thursday, March 05, 2026"));
    EXPECT_EQ(dialog->cmdInsert->Value(), 0);
}

TEST_F(DateDialogTest, EnterPressesNoButton)
{
    dialog->LstFormat->setCurrentRow(1);
    QTest::keyClick(dialog->LstFormat, Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(DateDialogResult, 0);
}

} // namespace
