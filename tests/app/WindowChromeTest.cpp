#include "app/WindowChrome.h"
#include "platform/Colors.h"
#include "platform/SkinFramework.h"
#include "platform/toolbar/Toolbar.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class RecordingSkin : public SkinFramework
{
public:
    QStringList calls;
    QVariant Invoke(int id, const QVariantList &arguments) override
    {
        QStringList shown;
        for (const QVariant &argument : arguments)
            shown << (argument.typeId() == QMetaType::QString ? '"' + argument.toString() + '"' : "handle");
        calls << QStringLiteral("call %1(%2)").arg(id).arg(shown.join(", "));
        return {};
    }
    QVariant Get(int id) override
    {
        calls << QStringLiteral("get %1").arg(id);
        return 4;
    }
    void Set(int id, const QVariant &value) override
    {
        calls << QStringLiteral("set %1 = %2").arg(id).arg(value.toString());
    }
};

QColor windowColour(const QWidget &widget) { return widget.palette().color(QPalette::Window); }

TEST(SkinLoader, WithoutTheSkinFileNothingHappens)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("x/o.cjs")); // a directory of that name does not count
    QWidget window;
    const QColor before = windowColour(window);
    RecordingSkin skin;

    WindowChrome::LoadSkin(window, &skin, dir.path());

    EXPECT_TRUE(skin.calls.isEmpty());
    EXPECT_EQ(windowColour(window), before);
}

TEST(SkinLoader, WithTheSkinFileTheWindowTurnsButtonFaceAndTheSkinIsAppliedInOrder)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("x"));
    QFile(dir.filePath(QStringLiteral("x/o.cjs"))).open(QIODevice::WriteOnly);
    QWidget window;
    RecordingSkin skin;

    WindowChrome::LoadSkin(window, &skin, dir.path());

    EXPECT_EQ(windowColour(window), Colors::toQColor(Colors::vbButtonFace));
    EXPECT_EQ(skin.calls, QStringList({
                              QStringLiteral("call 2(\"%1\", \"\")").arg(dir.filePath("x/o.cjs")),
                              "get 1", "set 1 = 5", "set 5 = true", "set 10 = true", "call 3(handle)",
                          }));
}

TEST(MenuColour, MenuBarAndFirstMenuTurnWhiteTheOthersKeepTheSystemColour)
{
    QMenuBar bar;
    QMenu *file = bar.addMenu(QStringLiteral("&File"));
    QMenu *recent = file->addMenu(QStringLiteral("Recent"));
    QMenu *edit = bar.addMenu(QStringLiteral("&Edit"));
    const QColor system = windowColour(*edit);

    WindowChrome::MenuColor(bar);

    EXPECT_EQ(windowColour(bar), QColor(Qt::white));
    EXPECT_EQ(windowColour(*file), QColor(Qt::white));
    EXPECT_EQ(windowColour(*recent), QColor(Qt::white));
    EXPECT_EQ(windowColour(*edit), system);
}

TEST(ToolbarBackground, ModeOneMakesTheBrushTheBackground)
{
    Toolbar toolbar;
    WindowChrome::ToolbarBackground(toolbar, WindowChrome::CreateSolidBrush(Colors::RGB(255, 255, 255)), 1);
    EXPECT_EQ(toolbar.Background(), QColor(Qt::white));
    WindowChrome::ToolbarBackground(toolbar, WindowChrome::GetSysColorBrush(WindowChrome::COLOR_BTNFACE), 1);
    EXPECT_EQ(toolbar.Background(), Colors::toQColor(Colors::vbButtonFace));
}

} // namespace
