#include "MainWindowFixture.h"

#include "platform/App.h"
#include "platform/Twips.h"

#include <QMouseEvent>

namespace {

TEST_F(MainWindowTest, StartsTitledWithNoMessageAndAnEmptyDocument)
{
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Corvala Software"));
    EXPECT_EQ(App::Title(), QStringLiteral("Corvala"));
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_FALSE(form->HasMouseIcon);
    EXPECT_TRUE(form->txtEdit->Text().isEmpty());
    EXPECT_FALSE(form->IsModified());
    EXPECT_FALSE(form->windowIcon().isNull());
}

TEST_F(MainWindowTest, ACursorFileThatIsNoCursorIsReportedAtLine106AndStartUpCarriesOn)
{
    form.reset();
    writeFile(path("HAND-M.CUR"), "not a cursor at all");
    App::setTitle(QString());
    start();

    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Application Error"));
    EXPECT_TRUE(messages.shown[0].prompt.contains(
        QStringLiteral("\r\nin Corvala2021/08/31.Form1.Form_Load at line 106\r\r")));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Corvala Software"));
    EXPECT_EQ(App::Title(), QStringLiteral("Corvala"));
    EXPECT_FALSE(form->HasMouseIcon);
    EXPECT_EQ(messages.shown[0].owner, form.get());
}

TEST_F(MainWindowTest, TheEditingAreaFillsTheClientAreaBelowTheToolbar)
{
    EXPECT_EQ(form->ScaleWidth(), 8370);
    EXPECT_EQ(form->ScaleHeight(), 7110);
    EXPECT_EQ(form->txtEdit->Left(), 0);
    EXPECT_EQ(form->txtEdit->Top(), 360);
    EXPECT_EQ(form->txtEdit->Width(), 8370);
    EXPECT_EQ(form->txtEdit->Height(), 6750);
    EXPECT_EQ(form->Toolbar1->geometry(), QRect(0, 0, 558, 24));

    form->resize(form->size() + QSize(150, 90));
    // QTRY_COMPARE would report to QtTest, which no GoogleTest case hears.
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->txtEdit->Width() == 8370 + Twips::fromPixelsX(150); }));
    EXPECT_EQ(form->txtEdit->Width(), 8370 + Twips::fromPixelsX(150));
    EXPECT_EQ(form->txtEdit->Height(), 6750 + Twips::fromPixelsY(90));
}

TEST_F(MainWindowTest, TheSmallestWindowHoldsTheWholeToolbar)
{
    form->resize(1, 1);
    QCoreApplication::processEvents();
    const QWidget *client = form->centralWidget();
    for (int index = 1; index <= form->Toolbar1->ButtonCount(); ++index) {
        const QWidget *button = form->Toolbar1->widgetForAction(form->Toolbar1->Buttons(index).action());
        ASSERT_NE(button, nullptr) << index;
        EXPECT_TRUE(button->isVisible()) << index;
        EXPECT_LE(button->mapTo(client, QPoint(button->width(), 0)).x(), client->width()) << index;
    }
}

TEST_F(MainWindowTest, MinimisingLeavesTheEditingAreasSize)
{
    const QSize before = form->txtEdit->size();
    form->showMinimized();
    form->Form_Resize();
    EXPECT_EQ(form->txtEdit->size(), before);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(MainWindowTest, MovingTheMouseOverTheWindowUndoesACustomPointerButNotTheHourglass)
{
    const struct {
        int before;
        int after;
    } cases[] = {{Form1::vbCustom, Form1::vbDefault}, {Form1::vbHourglass, Form1::vbHourglass},
                 {Form1::vbDefault, Form1::vbDefault}};
    for (const auto &c : cases) {
        form->setMousePointer(c.before);
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 100), form->centralWidget()->mapToGlobal(QPointF(5, 100)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(form->centralWidget(), &move);
        EXPECT_EQ(form->MousePointer(), c.after) << c.before;
    }
}

TEST_F(MainWindowTest, EveryChangeOfTheTextSetsTheModifiedMark)
{
    type("a");
    EXPECT_TRUE(form->IsModified());
}

} // namespace
