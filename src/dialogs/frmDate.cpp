#include "dialogs/frmDate.h"

#include "app/ErrorReport.h"
#include "dialogs/DateDialogState.h"
#include "dialogs/DateTimeRenderings.h"
#include "dialogs/PushToggleButton.h"
#include "platform/FormDesign.h"
#include "platform/Twips.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QScreen>

namespace {

constexpr int kHourglass = 11;

// A list that takes the keyboard focus without making an entry current: the first arrow key
// then chooses the first entry, as it does in a list where nothing is chosen yet.
class FormatList : public QListWidget
{
public:
    using QListWidget::QListWidget;

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        QListWidget::focusInEvent(event);
        if (selectedItems().isEmpty())
            selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
};

} // namespace

frmDate::frmDate(MessageBoxService &messages, QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                         | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_messages(messages)
{
    setObjectName(QStringLiteral("frmDate"));
    setWindowTitle(QStringLiteral("Insert Date and Time"));
    setFont(FormDesign::font());
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::Button, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    setFixedSize(Twips::toPixels(3135, 3240));
    setMouseTracking(true);
    installEventFilter(this);

    LstFormat = new FormatList(this);
    LstFormat->setObjectName(QStringLiteral("LstFormat"));
    LstFormat->setSelectionMode(QAbstractItemView::SingleSelection);
    LstFormat->setGeometry(FormDesign::twipsRect(120, 405, 2895, 2205));

    lblTitle = new QLabel(QStringLiteral("Select a format:"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setGeometry(FormDesign::twipsRect(240, 120, 1350, 225));

    cmdCancel = new PushToggleButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(FormDesign::twipsRect(1630, 2700, 1400, 400));

    cmdInsert = new PushToggleButton(QStringLiteral("Insert"), this);
    cmdInsert->setObjectName(QStringLiteral("cmdInsert"));
    cmdInsert->setGeometry(FormDesign::twipsRect(120, 2700, 1400, 400));

    setTabOrder(LstFormat, cmdCancel);
    setTabOrder(cmdCancel, cmdInsert);

    connect(LstFormat, &QListWidget::itemSelectionChanged, this, [this] { LstFormat_Click(); });
    connect(LstFormat, &QListWidget::itemDoubleClicked, this, [this] { LstFormat_DblClick(); });
    connect(cmdInsert, &PushToggleButton::Click, this, [this] { cmdInsert_Click(); });
    connect(cmdCancel, &PushToggleButton::Click, this, [this] { cmdCancel_Click(); });

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

frmDate::~frmDate() = default;

void frmDate::ShowModal()
{
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    setModal(true);
    exec();
}

void frmDate::Form_Load()
{
    ReportingProcedure proc(m_messages, QStringLiteral("in Corvala2021/08/31.frmDate.Form_Load "));
    // Each entry reads the clock as it is added; a failed entry is simply missing.
    for (const DateTimeRenderings::Entry &entry : DateTimeRenderings::kEntries) {
        proc.Step(entry.line, [&] {
            LstFormat->addItem(DateTimeRenderings::Render(Clock(), QString::fromLatin1(entry.pattern), Locale));
        });
    }
    proc.Step(132, [&] { setWindowIcon(FormDesign::noIcon()); });
}

void frmDate::Form_Unload()
{
    if (DateDialog == this)
        DateDialog = nullptr;
}

void frmDate::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

void frmDate::setMousePointer(int kind)
{
    m_mousePointer = kind;
    if (kind == kHourglass)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void frmDate::Form_MouseMove()
{
    if (MousePointer() != kHourglass)
        setMousePointer(0);
}

bool frmDate::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == this && event->type() == QEvent::MouseMove)
        Form_MouseMove();
    return QDialog::eventFilter(watched, event);
}

void frmDate::LstFormat_Click()
{
    const QList<QListWidgetItem *> selected = LstFormat->selectedItems();
    if (selected.isEmpty())
        return;
    DateDialogText = selected.constFirst()->text();
    DateDialogChoice = LstFormat->row(selected.constFirst());
    m_chosenInThisOpening = true;
}

void frmDate::LstFormat_DblClick()
{
    // The first click of the double-click has chosen the entry; pressing the button runs Insert
    // once, and the call after it finds the button unchecked.
    cmdInsert->setValue(1);
    cmdInsert_Click();
}

void frmDate::cmdInsert_Click()
{
    if (cmdInsert->Value() != 1)
        return;
    cmdInsert->setValue(0);
    // Without a choice in this opening, the entry chosen last time is given as the clock shows
    // it now: the text remembered from then may be hours old.
    if (!m_chosenInThisOpening && DateDialogChoice >= 0 && DateDialogChoice < LstFormat->count())
        DateDialogText = LstFormat->item(DateDialogChoice)->text();
    DateDialogResult = DateDialogInsert;
    done(QDialog::Accepted);
}

void frmDate::cmdCancel_Click()
{
    if (cmdCancel->Value() != 1)
        return;
    cmdCancel->setValue(0);
    DateDialogResult = DateDialogConsumed;
    done(QDialog::Rejected);
}
