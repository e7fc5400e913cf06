#pragma once

#include <QList>
#include <QToolBar>

class ImageList;
class QAction;

// One button of the toolbar, known by its 1-based position.
class ToolbarButton
{
public:
    ToolbarButton(int index, QAction *action, bool separator);

    int Index() const { return m_index; }
    bool IsSeparator() const { return m_separator; }
    bool Enabled() const;
    void setEnabled(bool enabled);
    QString ToolTipText() const;
    QAction *action() const { return m_action; }

private:
    int m_index;
    QAction *m_action;
    bool m_separator;
};

// A row of picture buttons and separators. A click on a button raises ButtonClick with the
// button; separators take no clicks.
class Toolbar : public QToolBar
{
    Q_OBJECT

public:
    explicit Toolbar(QWidget *parent = nullptr);
    ~Toolbar() override;

    // Appends a button showing picture `image` of the image list (1-based). `name` is what a
    // screen reader says for it; the tool tip, the name unless given, may add its keys.
    void AddButton(const ImageList &images, int image, const QString &name, const QString &toolTip = {});
    void AddSeparator();

    // Throws Failure for a position outside 1 to ButtonCount().
    ToolbarButton &Buttons(int index);
    int ButtonCount() const { return int(m_buttons.size()); }

    // Every button is drawn at this size, in twips.
    void setButtonSize(int widthTwips, int heightTwips);

    void setBackground(const QColor &colour);
    QColor Background() const;

Q_SIGNALS:
    void ButtonClick(ToolbarButton &button);

private:
    void applyButtonSize(QAction *action);

    QList<ToolbarButton *> m_buttons;
    QSize m_buttonSize;
};
