#pragma once

#include <QPushButton>

// A check box drawn as a push button. A press checks it, which raises Click; the handler acts
// only when it finds the button checked, and unchecks it first, which raises Click again to
// find it unchecked and do nothing. So one press runs the action once, and code presses the
// button by checking it. It is never a dialog's default button: Enter does not press it.
class PushToggleButton : public QPushButton
{
    Q_OBJECT

public:
    explicit PushToggleButton(const QString &caption, QWidget *parent = nullptr);

    // 1 checked, 0 unchecked.
    int Value() const { return isChecked() ? 1 : 0; }
    void setValue(int value) { setChecked(value != 0); }

Q_SIGNALS:
    void Click();
};
