#pragma once

#include <QDateTime>
#include <QDialog>
#include <QLocale>
#include <functional>

class MessageBoxService;
class PushToggleButton;
class QLabel;
class QListWidget;

// The modal Date and Time dialog: the current date and time in fifteen renderings, one of which
// the user picks. It renders, remembers the choice and reports Insert or Cancel through the
// program-wide state of DateDialogState.h; the command that opened it does the inserting.
class frmDate : public QDialog
{
    Q_OBJECT

public:
    explicit frmDate(MessageBoxService &messages, QWidget *owner = nullptr);
    ~frmDate() override;

    QListWidget *LstFormat = nullptr;
    QLabel *lblTitle = nullptr;
    PushToggleButton *cmdCancel = nullptr;
    PushToggleButton *cmdInsert = nullptr;

    // Where the entries take the date and time and the user's names and separators from.
    std::function<QDateTime()> Clock = [] { return QDateTime::currentDateTime(); };
    QLocale Locale = QLocale::system();

    // Mouse pointer kinds: 0 default, 11 hourglass.
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int kind);

    // Loads the dialog on its first showing, then shows it modally; returns once it has been
    // unloaded.
    void ShowModal();

    void Form_Load();
    void Form_Unload();
    void Form_MouseMove();
    void LstFormat_Click();
    void LstFormat_DblClick();
    void cmdInsert_Click();
    void cmdCancel_Click();

    // Unloads the dialog: Insert, Cancel and the close box all end here.
    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    MessageBoxService &m_messages;
    bool m_loaded = false;
    bool m_chosenInThisOpening = false;
    int m_mousePointer = 0;
};
