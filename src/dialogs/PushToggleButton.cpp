#include "dialogs/PushToggleButton.h"

PushToggleButton::PushToggleButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
    setCheckable(true);
    setAutoDefault(false);
    setDefault(false);
    connect(this, &QAbstractButton::toggled, this, &PushToggleButton::Click);
}
