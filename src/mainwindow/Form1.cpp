#include "mainwindow/Form1.h"

#include "app/ErrorReport.h"
#include "app/PathQueries.h"
#include "app/TitleRule.h"
#include "app/WindowChrome.h"
#include "editor/mTxtHelper.h"
#include "platform/App.h"
#include "platform/Colors.h"
#include "base/Failure.h"
#include "platform/FormDesign.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/Pictures.h"
#include "platform/ProductIcon.h"
#include "platform/richtextbox/RichTextBox.h"
#include "platform/SkinFramework.h"
#include "platform/toolbar/Toolbar.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QScreen>

namespace {

// The design, in twips.
constexpr int kClientWidth = 8370;
constexpr int kClientHeight = 7110;
constexpr int kToolbarHeight = 360;
// The smallest client area the window may be given, so the editing area always has room.
constexpr int kMinimumClientWidth = 3000;
constexpr int kMinimumClientHeight = 1500;

} // namespace

Form1::Form1(MessageBoxService &messages, DialogHost &dialogs, QWidget *parent)
    : QMainWindow(parent), CD1(dialogs), ApplicationDirectory(App::Path()),
      EndProgram([] { QCoreApplication::exit(0); }), m_messages(messages)
{
    // The window's boxes belong to it, whichever window is active when they come up.
    m_messages.setOwner(this);
    CD1.ConfirmReplace = [this](const QString &fileName) { return ConfirmReplace(fileName); };
    // Plain text keeps only the characters: before formats, pictures, tables or lists are thrown
    // away (the type stays chosen for the next Save As, so this is easily missed), the user says
    // so; anything but Yes goes back to the dialog with that name and type.
    CD1.ConfirmSave = [this](const QString &, int filterIndex) { return filterIndex == 1 || ConfirmPlainText(); };
    buildDesign();
    Recovery = std::make_unique<RecoveryKeeper>([this] { return txtEdit->document(); },
                                                [this](const QString &reason) { ReportRecoveryFailure(reason); });
    buildMenus();
    buildToolbar();
    placeWindow();
}

Form1::~Form1() = default;

void Form1::buildDesign()
{
    setWindowTitle(QStringLiteral("Form1"));

    m_client = new QWidget(this);
    m_client->setFont(FormDesign::font());
    QPalette palette = m_client->palette();
    palette.setColor(QPalette::Window, Qt::white);
    m_client->setPalette(palette);
    m_client->setAutoFillBackground(true);
    m_client->setMouseTracking(true);
    m_client->setMinimumSize(Twips::toPixels(kMinimumClientWidth, kMinimumClientHeight));
    m_client->installEventFilter(this);
    setCentralWidget(m_client);

    Toolbar1 = new Toolbar(m_client);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    // What a screen reader says for the toolbar and the editing area.
    Toolbar1->setAccessibleName(QStringLiteral("Toolbar"));
    Toolbar1->setGeometry(QRect(QPoint(0, 0), Twips::toPixels(kClientWidth, kToolbarHeight)));

    txtEdit = new RichTextBox(m_client);
    txtEdit->setObjectName(QStringLiteral("txtEdit"));
    txtEdit->setAccessibleName(QStringLiteral("Document"));
    txtEdit->setFont(FormDesign::font());
    txtEdit->document()->setDefaultFont(FormDesign::font());
    txtEdit->setFrameShape(QFrame::NoFrame);
    txtEdit->setScrollBars(RichTextBox::rtfBoth); // lines don't wrap
    txtEdit->setLeft(0);
    txtEdit->setTop(kToolbarHeight);
    txtEdit->setContextMenuPolicy(Qt::CustomContextMenu);
    setTabOrder(txtEdit, Toolbar1);
    // Files dropped on the editing area are the window's to open or insert (Form1Drops.cpp).
    txtEdit->viewport()->installEventFilter(this);
    setAcceptDrops(true);

    connect(txtEdit, &RichTextBox::Change, this, [this] { txtEdit_Change(); });
    connect(txtEdit, &RichTextBox::KeyDown, this, [this](int &KeyCode, int Shift) {
        runCommand([&] { txtEdit_KeyDown(KeyCode, Shift); });
    });

    PicData.Left = 4560;
    PicData.Top = 420;
    PicData.Width = 345;
    PicData.Height = 360;
    PicData.Visible = false;

}

void Form1::placeWindow()
{
    resize(Twips::toPixels(kClientWidth, kClientHeight) + QSize(0, menuBar()->sizeHint().height()));
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

int Form1::ScaleWidth() const { return Twips::fromPixelsX(m_client->width()); }
int Form1::ScaleHeight() const { return Twips::fromPixelsY(m_client->height()); }

void Form1::Form_Load()
{
    ReportingProcedure proc(m_messages, QStringLiteral("in Corvala2021/08/31.Form1.Form_Load "));

    proc.Step(102, [&] { WindowChrome::LoadSkin(*this, SkinFramework1.get(), ApplicationDirectory); });

    const QString cursorFile = ApplicationDirectory + QStringLiteral("/HAND-M.CUR");
    if (proc.Test(104, [&] { return FileExists(cursorFile); })) {
        proc.Step(106, [&] {
            MouseIcon = Pictures::LoadCursor(cursorFile);
            HasMouseIcon = true;
        });
    }

    proc.Step(126, [&] { setWindowTitle(kProductName); });
    proc.Step(126, [&] { setWindowIcon(productIcon()); });
    proc.Step(126, [&] { ApplyTitleRule(); });

    QColor toolbarBrush;
    proc.Step(128, [&] { toolbarBrush = WindowChrome::CreateSolidBrush(Colors::RGB(255, 255, 255)); });
    proc.Step(130, [&] { WindowChrome::ToolbarBackground(*Toolbar1, toolbarBrush, 1); });
    proc.Step(132, [&] { WindowChrome::InvalidateAllWindows(); });
    proc.Step(134, [&] { WindowChrome::MenuColor(*menuBar()); });

    proc.Step(136, [&] { TxtHelper = std::make_unique<mTxtHelper>(); });
    proc.Step(138, [&] {
        if (!TxtHelper)
            throw Failure(QStringLiteral("Object variable or With block variable not set"));
        TxtHelper->SetEditor(txtEdit);
    });
    proc.Step(140, [&] { RefreshCommandState(); });
}

void Form1::Form_Resize()
{
    ReportingProcedure proc(m_messages, QStringLiteral("in Corvala2021/08/31.Form1.Form_Resize "));
    if (proc.Test(100, [&] { return isMinimized(); }))
        return;
    proc.Step(102, [&] { txtEdit->setWidth(ScaleWidth()); });
    proc.Step(104, [&] { txtEdit->setHeight(ScaleHeight() - txtEdit->Top()); });
}

bool Form1::Form_QueryUnload()
{
    ReportingProcedure proc(m_messages, QStringLiteral("in Corvala2021/08/31.Form1.Form_QueryUnload "));

    const auto step = [&](int line, const std::function<void()> &action) { proc.Step(line, action); };
    if (proc.Test(100, [&] { return m_modified; }) && !SaveChangesFirst(step))
        return false;

    QColor buttonFace;
    proc.Step(106, [&] { buttonFace = WindowChrome::GetSysColorBrush(WindowChrome::COLOR_BTNFACE); });
    proc.Step(108, [&] { WindowChrome::ToolbarBackground(*Toolbar1, buttonFace, 1); });
    proc.Step(110, [&] { WindowChrome::InvalidateAllWindows(); });
    proc.Step(112, [&] { QCoreApplication::processEvents(); });
    proc.Step(114, [&] { QCoreApplication::processEvents(); });
    return true;
}

bool Form1::SaveChangesFirst(const std::function<void(int line, const std::function<void()> &)> &step)
{
    int answer = vbYes;
    step(102, [&] {
        answer = m_messages.MsgBox(QStringLiteral("Do you want to save changes to Untitled?"), vbYesNo);
    });
    // Escape or the question's close box calls the command off: the document stays, as
    // nothing was decided about it.
    if (answer != vbYes && answer != vbNo)
        return false;
    if (answer == vbNo)
        return true;
    bool saved = false;
    step(104, [&] { saved = mnuSaveAs_Click(); });
    // The user asked to keep the changes: when they were not written (the dialog was cancelled
    // or the write failed) the document stays, so no edit is lost.
    return saved;
}

void Form1::Form_Unload()
{
    // The user has decided about the changes: the recovery copy is no longer needed.
    Recovery->finish();
    // Ends the program at once: other windows go without their own close handling.
    EndProgram();
}

void Form1::closeEvent(QCloseEvent *event)
{
    if (!Form_QueryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
    Form_Unload();
}

void Form1::setMousePointer(int kind)
{
    m_mousePointer = kind;
    if (kind == vbHourglass)
        setCursor(Qt::WaitCursor);
    else if (kind == vbCustom && HasMouseIcon)
        setCursor(MouseIcon);
    else
        unsetCursor();
}

void Form1::Form_MouseMove()
{
    if (MousePointer() != vbHourglass)
        setMousePointer(vbDefault);
}

void Form1::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (txtEdit && watched == txtEdit->viewport() && FileDragEvent(event, true))
        return true;
    if (watched == m_client) {
        if (event->type() == QEvent::Resize)
            Form_Resize();
        else if (event->type() == QEvent::MouseMove)
            Form_MouseMove();
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::dragEnterEvent(QDragEnterEvent *event)
{
    if (!FileDragEvent(event, false))
        QMainWindow::dragEnterEvent(event);
}

void Form1::dragMoveEvent(QDragMoveEvent *event)
{
    if (!FileDragEvent(event, false))
        QMainWindow::dragMoveEvent(event);
}

void Form1::dropEvent(QDropEvent *event)
{
    if (!FileDragEvent(event, false))
        QMainWindow::dropEvent(event);
}

void Form1::runCommand(const std::function<void()> &command)
{
    try {
        command();
    } catch (const std::exception &failure) {
        showFailure(failure);
    }
}

void Form1::showFailure(const std::exception &failure)
{
    m_messages.MsgBox(describeFailure(failure), vbOKOnly | vbExclamation);
}
