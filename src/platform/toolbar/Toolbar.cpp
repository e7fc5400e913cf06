#include "platform/toolbar/Toolbar.h"

#include "base/Failure.h"
#include "platform/toolbar/ImageList.h"
#include "platform/Twips.h"

#include <QAction>
#include <QToolButton>

ToolbarButton::ToolbarButton(int index, QAction *action, bool separator)
    : m_index(index), m_action(action), m_separator(separator)
{
}

bool ToolbarButton::Enabled() const { return m_action->isEnabled(); }
void ToolbarButton::setEnabled(bool enabled) { m_action->setEnabled(enabled); }
QString ToolbarButton::ToolTipText() const { return m_action->toolTip(); }

Toolbar::Toolbar(QWidget *parent)
    : QToolBar(parent)
{
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setContentsMargins(0, 0, 0, 0);
    setAutoFillBackground(true);
    // The button Qt shows for the buttons that don't fit is named too: a screen reader lists it
    // among the buttons even while it is hidden.
    if (auto *more = findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(QStringLiteral("More buttons"));
    connect(this, &QToolBar::actionTriggered, this, [this](QAction *action) {
        for (ToolbarButton *button : std::as_const(m_buttons))
            if (button->action() == action && !button->IsSeparator())
                Q_EMIT ButtonClick(*button);
    });
}

Toolbar::~Toolbar() { qDeleteAll(m_buttons); }

void Toolbar::AddButton(const ImageList &images, int image, const QString &name, const QString &toolTip)
{
    QAction *action = addAction(images.ListImages(image), name);
    action->setToolTip(toolTip.isEmpty() ? name : toolTip);
    if (QWidget *widget = widgetForAction(action))
        widget->setAccessibleName(name);
    m_buttons.append(new ToolbarButton(ButtonCount() + 1, action, false));
    applyButtonSize(action);
}

void Toolbar::AddSeparator()
{
    QAction *action = addSeparator();
    m_buttons.append(new ToolbarButton(ButtonCount() + 1, action, true));
}

ToolbarButton &Toolbar::Buttons(int index)
{
    if (index < 1 || index > ButtonCount())
        throw Failure(QStringLiteral("Index out of bounds"));
    return *m_buttons.at(index - 1);
}

void Toolbar::setButtonSize(int widthTwips, int heightTwips)
{
    m_buttonSize = Twips::toPixels(widthTwips, heightTwips);
    for (ToolbarButton *button : std::as_const(m_buttons))
        applyButtonSize(button->action());
}

void Toolbar::applyButtonSize(QAction *action)
{
    if (m_buttonSize.isEmpty())
        return;
    if (QWidget *widget = widgetForAction(action))
        widget->setFixedSize(m_buttonSize);
}

void Toolbar::setBackground(const QColor &colour)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Button, colour);
    setPalette(palette);
    setStyleSheet(QStringLiteral("QToolBar { background: %1; border: none; spacing: 0px; }")
                      .arg(colour.name()));
}

QColor Toolbar::Background() const { return palette().color(QPalette::Window); }
