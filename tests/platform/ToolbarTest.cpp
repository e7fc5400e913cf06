#include "base/Failure.h"
#include "platform/toolbar/ImageList.h"
#include "platform/toolbar/Toolbar.h"

#include <QSignalSpy>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

TEST(Toolbar, ButtonsAreKnownByPositionAndSeparatorsTakeNoClicks)
{
    const ImageList images = toolbarImageList();
    Toolbar toolbar;
    toolbar.AddButton(images, 2, QStringLiteral("New"));
    toolbar.AddSeparator();
    toolbar.AddButton(images, 5, QStringLiteral("Undo"));
    toolbar.setButtonSize(345, 330);

    int clicked = 0;
    QObject::connect(&toolbar, &Toolbar::ButtonClick, [&](ToolbarButton &button) { clicked = button.Index(); });

    ASSERT_EQ(toolbar.ButtonCount(), 3);
    EXPECT_TRUE(toolbar.Buttons(2).IsSeparator());
    EXPECT_EQ(toolbar.Buttons(3).ToolTipText(), QStringLiteral("Undo"));
    EXPECT_THROW(toolbar.Buttons(0), Failure);
    EXPECT_THROW(toolbar.Buttons(4), Failure);

    toolbar.Buttons(3).action()->trigger();
    EXPECT_EQ(clicked, 3);
    clicked = 0;
    toolbar.Buttons(2).action()->trigger();
    EXPECT_EQ(clicked, 0);

    toolbar.Buttons(3).setEnabled(false);
    EXPECT_FALSE(toolbar.Buttons(3).Enabled());
    auto *button = qobject_cast<QToolButton *>(toolbar.widgetForAction(toolbar.Buttons(1).action()));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->size(), QSize(23, 22));
}

} // namespace
