#include "dialogs/frmFind.h"

#include "app/ErrorReport.h"
#include "dialogs/FindDialogState.h"
#include "dialogs/PushToggleButton.h"
#include "editor/mTxtHelper.h"
#include "base/Failure.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/richtextbox/RichTextBox.h"
#include "platform/FormDesign.h"
#include "platform/Twips.h"

#include <QCheckBox>
#include <algorithm>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScopeGuard>
#include <QScreen>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// The design, in twips.
constexpr int kClientWidth = 5445;
constexpr int kClientHeight = 2100;

// How long Replace All replaces before the window's pending events get their turn: short
// enough that typing and clicks are answered at once, long enough that the editing area is
// not laid out and redrawn after every one of thousands of replacements.
constexpr int kSliceMilliseconds = 30;

} // namespace

frmFind::frmFind(RichTextBox &txtEdit, mTxtHelper &txtHelper, MessageBoxService &messages, QWidget *owner)
    // A dialog of its owner: it stays above it and, as a transient window, has no task bar
    // entry of its own; the hints ask for a title and a close box only, at a fixed size.
    : QWidget(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                         | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_txtEdit(txtEdit), m_txtHelper(txtHelper), m_messages(messages)
{
    setAttribute(Qt::WA_DeleteOnClose);
    buildDesign();
    // Centred on the screen, as it opens.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmFind::buildDesign()
{
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(QStringLiteral("Find"));
    setFont(FormDesign::font());
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::Button, Qt::white);
    setPalette(palette);
    setAutoFillBackground(true);
    setFixedSize(Twips::toPixels(kClientWidth, kClientHeight));
    setMouseTracking(true);

    txtFind = new QLineEdit(this);
    txtFind->setObjectName(QStringLiteral("txtFind"));
    txtFind->setGeometry(FormDesign::twipsRect(1365, 120, 2715, 400));
    txtReplace = new QLineEdit(this);
    txtReplace->setObjectName(QStringLiteral("txtReplace"));
    txtReplace->setGeometry(FormDesign::twipsRect(1365, 600, 2715, 400));
    txtReplace->setVisible(false);

    chkMatch = new QCheckBox(QStringLiteral("Match &case"), this);
    chkMatch->setObjectName(QStringLiteral("chkMatch"));
    chkMatch->setGeometry(FormDesign::twipsRect(120, 1200, 1635, 225));

    lblFind = new QLabel(QStringLiteral("Find what:"), this);
    lblFind->setObjectName(QStringLiteral("lblFind"));
    lblFind->setGeometry(FormDesign::twipsRect(120, 240, 855, 270));
    lblReplace = new QLabel(QStringLiteral("Replace with:"), this);
    lblReplace->setObjectName(QStringLiteral("lblReplace"));
    lblReplace->setGeometry(FormDesign::twipsRect(120, 720, 1140, 225));
    lblReplace->setVisible(false);
    // The captions are a little wider here than in their design: the labels grow to the right,
    // where nothing else is, rather than cut off the colon.
    for (QLabel *label : {lblFind, lblReplace})
        label->resize(std::max(label->width(), label->sizeHint().width()), label->height());

    cmdFindNext = addToggleButton("cmdFindNext", "Find Next", FormDesign::twipsRect(4185, 120, 1125, 400),
                                  &frmFind::cmdFindNext_Click);
    cmdCancel = addToggleButton("cmdCancel", "Cancel", FormDesign::twipsRect(4185, 600, 1125, 400),
                                &frmFind::cmdCancel_Click);
    cmdReplace = addToggleButton("cmdReplace", "Replace", FormDesign::twipsRect(4185, 1080, 1125, 400),
                                 &frmFind::cmdReplace_Click);
    cmdReplaceAll = addToggleButton("cmdReplaceAll", "Replace All", FormDesign::twipsRect(4200, 1560, 1125, 400),
                                    &frmFind::cmdReplaceAll_Click);

    QWidget::setTabOrder(txtFind, txtReplace);
    QWidget::setTabOrder(txtReplace, chkMatch);
    QWidget::setTabOrder(chkMatch, cmdFindNext);
    QWidget::setTabOrder(cmdFindNext, cmdCancel);
    QWidget::setTabOrder(cmdCancel, cmdReplace);
    QWidget::setTabOrder(cmdReplace, cmdReplaceAll);

    connect(txtFind, &QLineEdit::textChanged, this, [this] { run(&frmFind::txtFind_Change); });
    txtFind->setFocus();
}

PushToggleButton *frmFind::addToggleButton(const char *name, const char *caption, QRect geometry,
                                           void (frmFind::*handler)())
{
    auto *button = new PushToggleButton(QString::fromUtf8(caption), this);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    connect(button, &PushToggleButton::Click, this, [this, handler] { run(handler); });
    return button;
}

void frmFind::run(void (frmFind::*handler)())
{
    try {
        (this->*handler)();
    } catch (const std::exception &failure) {
        m_messages.MsgBox(describeFailure(failure), vbOKOnly | vbExclamation, QString(), this);
    }
}

void frmFind::Form_Load()
{
    ReportingProcedure proc(m_messages, QStringLiteral("in Corvala2021/08/31.frmFind.Form_Load "));
    proc.Step(102, [&] { setWindowIcon(FormDesign::noIcon()); });
    proc.Step(104, [&] { txtFind->setText(QString()); });
    // The first search starts at the first character, so a match there is not passed over.
    proc.Step(106, [&] {
        m_foundPos = 0;
        m_searchFrom = 0;
    });
    if (proc.Test(112, [&] { return ReplaceMode == 1; })) {
        proc.Step(114, [&] { setWindowTitle(QStringLiteral("Replace")); });
        proc.Step(116, [&] { lblReplace->setVisible(true); });
        proc.Step(118, [&] { txtReplace->setVisible(true); });
        proc.Step(120, [&] { cmdReplace->setVisible(true); });
        proc.Step(122, [&] { cmdReplaceAll->setVisible(true); });
    }
    // Emptying an empty box is no change, so Find Next is set here as a change would set it.
    txtFind_Change();
}

void frmFind::Form_Unload()
{
    m_unloaded = true;
    if (FindDialog == this)
        FindDialog = nullptr;
}

void frmFind::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frmFind::setMousePointer(int kind)
{
    m_mousePointer = kind;
    if (kind == vbHourglass)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void frmFind::Form_MouseMove()
{
    if (m_mousePointer != vbHourglass)
        setMousePointer(vbDefault);
}

void frmFind::mouseMoveEvent(QMouseEvent *event)
{
    Form_MouseMove();
    QWidget::mouseMoveEvent(event);
}

void frmFind::txtFind_Change() { cmdFindNext->setEnabled(!txtFind->text().isEmpty()); }

TextSearch::CaseRule frmFind::caseRule() const
{
    TextSearch::CaseRule rule;
    rule.matchCase = chkMatch->isChecked();
    return rule;
}

void frmFind::cmdFindNext_Click()
{
    if (!cmdFindNext->isChecked())
        return;
    cmdFindNext->setChecked(false);
    findNext();
}

int frmFind::searchOn(const QString &what, const TextSearch::CaseRule &rule)
{
    const int at = TextSearch::Find(*m_txtEdit.document(), what, m_searchFrom, rule);
    if (at >= 0) {
        m_foundPos = at + 1;
        m_searchFrom = at + 1;
    }
    return at;
}

void frmFind::findNext()
{
    const QString what = txtFind->text();
    const int at = searchOn(what, caseRule());
    if (at < 0) {
        // The next search starts again at the top: the search wraps through this message.
        m_foundPos = 0;
        m_searchFrom = 0;
        // The message belongs to the dialog, whose button asked for the search.
        m_messages.MsgBox(QStringLiteral("String not found '") + what + QStringLiteral("'"), vbOKOnly,
                          QString(), this);
        cmdReplace->setEnabled(false);
        cmdReplaceAll->setEnabled(false);
        return;
    }
    showMatch(at, int(what.size()));
    cmdReplace->setEnabled(true);
    cmdReplaceAll->setEnabled(true);
}

void frmFind::showMatch(int position, int length)
{
    m_txtHelper.SelectText(position, length);
    // The focus moves to the editing area only in the active window: bring the main window to
    // the keyboard, so the match can be typed over. As the dialog's owner it stays below it.
    // Replace All asks once; the window system takes its time to answer.
    QWidget *mainWindow = m_txtEdit.window();
    if (!mainWindow->isActiveWindow() && !m_activationAsked)
        mainWindow->activateWindow();
    m_activationAsked = m_replacingAll;
}

void frmFind::cmdReplace_Click()
{
    if (!cmdReplace->isChecked())
        return;
    cmdReplace->setChecked(false);
    // Nothing is replaced while nothing is selected.
    if (m_txtEdit.HasSelText()) {
        QTextCursor cursor(m_txtEdit.document());
        replaceMatch(cursor, txtFind->text(), txtReplace->text(), caseRule());
    }
    cmdFindNext->setChecked(true);
}

bool frmFind::replaceMatch(QTextCursor &cursor, const QString &what, const QString &replacement,
                           const TextSearch::CaseRule &rule)
{
    // Only while the range of the last match still holds the search text: after edits before
    // it, the range holds other words, which were never found and must not be overwritten.
    const int start = m_foundPos - 1;
    if (m_foundPos < 1 || what.isEmpty() || !TextSearch::HoldsAt(*cursor.document(), start, what, rule))
        return false;
    cursor.setPosition(start);
    cursor.setPosition(start + int(what.size()), QTextCursor::KeepAnchor);
    cursor.insertText(replacement);
    // The search goes on after the inserted text, so a replacement that contains the search
    // text is not found again.
    m_searchFrom = start + int(replacement.size());
    return true;
}

void frmFind::cmdReplaceAll_Click()
{
    if (!cmdReplaceAll->isChecked())
        return;
    cmdReplaceAll->setChecked(false);
    // An empty search text is found everywhere and replaces nothing.
    if (txtFind->text().isEmpty())
        return;
    const QPointer<frmFind> alive(this);
    m_replacingAll = true;
    const auto done = qScopeGuard([this, alive] {
        if (alive) {
            m_replacingAll = false;
            m_activationAsked = false;
        }
    });
    // The first replacement is an ordinary Replace; then each slice goes on from the match the
    // last search selected, after the window's pending events have had their turn.
    cmdReplace->setChecked(true);
    while (m_foundPos != 0) {
        QCoreApplication::processEvents();
        if (!alive || m_unloaded || m_foundPos == 0)
            return;
        replaceSlice();
    }
}

void frmFind::replaceSlice()
{
    QTextDocument &document = *m_txtEdit.document();
    const QString what = txtFind->text();
    const QString replacement = txtReplace->text();
    const TextSearch::CaseRule rule = caseRule();
    // The user may have moved the selection off the match while events ran: an empty selection
    // replaces nothing, as with Replace.
    bool selected = m_txtEdit.HasSelText();
    bool exhausted = false;
    QElapsedTimer slice;
    slice.start();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    do {
        if (selected)
            replaceMatch(cursor, what, replacement, rule);
        exhausted = searchOn(what, rule) < 0;
        selected = true;
    } while (!exhausted && slice.elapsed() < kSliceMilliseconds);
    cursor.endEditBlock();
    // The slice ends as Find Next would have left it: the next match selected, or the
    // not-found message (its search finds nothing again, at once).
    if (exhausted)
        findNext();
    else
        showMatch(m_foundPos - 1, int(what.size()));
}

void frmFind::cmdCancel_Click()
{
    if (!cmdCancel->isChecked())
        return;
    cmdCancel->setChecked(false);
    close();
}
