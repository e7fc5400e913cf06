#include "platform/Colors.h"
#include "platform/dialogs/FontDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const FontChoice kHeld{QStringLiteral("Liberation Serif"), 14, true, true, true, false, Colors::RGB(255, 0, 0)};

TEST(FontDialog, OpensWithTheHeldValuesAndOkGivesThemBack)
{
    ASSERT_TRUE(QFontDatabase::families().contains(kHeld.name)) << "fonts-liberation2 is installed by install-deps";
    for (const int color : {kHeld.color, Colors::RGB(1, 2, 3)}) { // a named colour, and one without a name
        FontChoice held = kHeld;
        held.color = color;
        FontDialog dialog(held, true);
        EXPECT_TRUE(dialog.canAccept());
        EXPECT_EQ(dialog.Choice(), held);
        EXPECT_EQ(dialog.colorList()->count(), color == kHeld.color ? 16 : 17);
        EXPECT_EQ(dialog.sample()->font().family(), kHeld.name);
    }
}

TEST(FontDialog, TypingJumpsToTheFamilyAndOnlyListedFamiliesAndSizesInRangeAreAccepted)
{
    FontDialog dialog(kHeld, true);
    dialog.familyField()->clear();
    QTest::keyClicks(dialog.familyField(), QStringLiteral("liberation m"));
    ASSERT_TRUE(dialog.familyList()->currentItem());
    EXPECT_TRUE(dialog.familyList()->currentItem()->text().startsWith(QStringLiteral("Liberation M")));
    EXPECT_EQ(dialog.familyField()->text(), QStringLiteral("liberation m")); // what was typed stays
    EXPECT_EQ(dialog.Choice().name, QStringLiteral("Liberation Mono")); // as the list spells it
    EXPECT_TRUE(dialog.canAccept());
    QTest::keyClicks(dialog.familyField(), QStringLiteral("x"));
    EXPECT_FALSE(dialog.canAccept()); // no family begins with that
    QTest::keyClick(dialog.familyField(), Qt::Key_Backspace);
    EXPECT_TRUE(dialog.canAccept());

    const struct {
        const char *typed;
        bool accepted;
    } sizes[] = {{"1", true}, {"10.5", true}, {"1638", true}, {"0", false}, {"1639", false},
                 {"-3", false}, {"big", false}, {"", false}};
    for (const auto &size : sizes) {
        dialog.sizeField()->setText(QString::fromLatin1(size.typed));
        EXPECT_EQ(dialog.canAccept(), size.accepted) << size.typed;
    }
}

TEST(FontDialog, EnterAcceptsAndEscapeCancels)
{
    for (const auto key : {Qt::Key_Return, Qt::Key_Escape}) {
        FontDialog dialog(kHeld, true);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(dialog.sizeField(), key);
        EXPECT_EQ(dialog.result(), key == Qt::Key_Return ? QDialog::Accepted : QDialog::Rejected);
    }
}

} // namespace
