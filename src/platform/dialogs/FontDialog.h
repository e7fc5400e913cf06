#pragma once

#include "platform/dialogs/DialogHost.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;

// The font dialog: the installed families, the style, the size, the effects strikeout and
// underline, the colour and a sample of the result. Qt's own font dialog offers no colour, so
// this one is built from plain widgets. OK (and Enter) is available while the family is one of
// the list's and the size a number of points in the allowed range.
class FontDialog : public QDialog
{
    Q_OBJECT

public:
    // `effects` offers strikeout, underline and the colour.
    FontDialog(const FontChoice &initial, bool effects, QWidget *parent = nullptr);

    // What the dialog shows now; the family as the list spells it.
    FontChoice Choice() const;

    static constexpr double kMinimumSize = 1;
    static constexpr double kMaximumSize = 1638;

    // The sixteen named colours the colour list offers, in its order.
    struct NamedColor {
        const char *name;
        int color; // &H00BBGGRR
    };
    static const NamedColor kNamedColors[16];

    // The parts of the dialog, for tests.
    QLineEdit *familyField() const { return m_familyField; }
    QListWidget *familyList() const { return m_familyList; }
    QListWidget *styleList() const { return m_styleList; }
    QLineEdit *sizeField() const { return m_sizeField; }
    QComboBox *colorList() const { return m_colorList; }
    QLabel *sample() const { return m_sample; }
    bool canAccept() const;

private:
    void buildWidgets(bool effects);
    void showFont(const FontChoice &font);
    void fillColorList(int current);
    void refresh();

    QLineEdit *m_familyField = nullptr;
    QListWidget *m_familyList = nullptr;
    QLineEdit *m_styleField = nullptr;
    QListWidget *m_styleList = nullptr;
    QLineEdit *m_sizeField = nullptr;
    QListWidget *m_sizeList = nullptr;
    QCheckBox *m_strikeout = nullptr;
    QCheckBox *m_underline = nullptr;
    QComboBox *m_colorList = nullptr;
    QLabel *m_sample = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
    FontChoice m_initial;
};
