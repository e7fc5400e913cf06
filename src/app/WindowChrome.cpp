#include "app/WindowChrome.h"

#include "platform/Colors.h"
#include "platform/SkinFramework.h"
#include "platform/toolbar/Toolbar.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>

namespace {

void setBackground(QWidget &widget, const QColor &colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void paintMenuWhite(QWidget &menu)
{
    QPalette palette = menu.palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::Button, Qt::white);
    palette.setColor(QPalette::Base, Qt::white);
    menu.setPalette(palette);
    menu.setAutoFillBackground(true);
}

void paintMenuTreeWhite(QMenu &menu)
{
    paintMenuWhite(menu);
    for (QAction *action : menu.actions())
        if (QMenu *submenu = action->menu())
            paintMenuTreeWhite(*submenu);
}

} // namespace

namespace WindowChrome {

QString SkinFilePath(const QString &applicationDirectory)
{
    return applicationDirectory + QStringLiteral("/x/o.cjs");
}

void LoadSkin(QWidget &window, SkinFramework *skin, const QString &applicationDirectory)
{
    const QString path = SkinFilePath(applicationDirectory);
    const QFileInfo file(path);
    if (!file.isFile() || file.isHidden())
        return;

    const QColor buttonFace = Colors::toQColor(Colors::vbButtonFace);
    setBackground(window, buttonFace);
    for (QWidget *control : window.findChildren<QWidget *>()) {
        if (qobject_cast<QRadioButton *>(control) || qobject_cast<QCheckBox *>(control)
            || qobject_cast<QGroupBox *>(control) || qobject_cast<QLabel *>(control))
            setBackground(*control, buttonFace);
    }

    if (!skin)
        return;
    skin->Invoke(2, {path, QString()});
    skin->Set(1, skin->Get(1).toInt() | 1);
    skin->Set(5, true);
    skin->Set(10, true);
    skin->Invoke(3, {QVariant::fromValue(qulonglong(window.winId()))});
}

void ToolbarBackground(Toolbar &toolbar, const QColor &brush, int mode)
{
    if (mode == 1)
        toolbar.setBackground(brush);
}

QColor CreateSolidBrush(int rgb) { return Colors::toQColor(rgb & 0x00FFFFFF); }

QColor GetSysColorBrush(int index) { return Colors::toQColor(int(0x80000000u | unsigned(index))); }

void InvalidateAllWindows()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        window->update();
}

void MenuColor(QMenuBar &menuBar)
{
    paintMenuWhite(menuBar);
    const QList<QAction *> menus = menuBar.actions();
    if (!menus.isEmpty() && menus.first()->menu())
        paintMenuTreeWhite(*menus.first()->menu());
}

} // namespace WindowChrome
