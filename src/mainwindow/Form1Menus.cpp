// The menu bar and the toolbar of the main window, built from one table each.
#include "mainwindow/Form1.h"

#include "app/ErrorReport.h"
#include "editor/spelling/InlineSpelling.h"
#include "editor/spelling/SpellChecker.h"
#include "editor/spelling/SpellingMenu.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/richtextbox/RichTextBox.h"
#include "platform/toolbar/Toolbar.h"
#include "platform/Twips.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace {

struct MenuItem {
    QAction *Form1::*item;
    const char *name;
    const char *caption;           // "-" for a separator; nullptr opens a new top-level menu
    QKeyCombination shortcut;
    bool checkable;
    bool checked;
    void (*handler)(Form1 &);
};

constexpr QKeyCombination kNone{};
constexpr QKeyCombination ctrl(Qt::Key key) { return QKeyCombination(Qt::ControlModifier, key); }

#define MENU(name, caption) {&Form1::name, #name, caption, kNone, false, false, nullptr}
#define ITEM(name, caption, shortcut) \
    {&Form1::name, #name, caption, shortcut, false, false, [](Form1 &f) { f.name##_Click(); }}
#define CHECK(name, caption, checked) \
    {&Form1::name, #name, caption, kNone, true, checked, [](Form1 &f) { f.name##_Click(); }}
#define SEPARATOR(name) {&Form1::name, #name, "-", kNone, false, false, nullptr}

// Top-level menus carry no handler; every item below one belongs to it.
const MenuItem kMenuItems[] = {
    MENU(mnuFile, "&File"),
    ITEM(mnuNew, "&New...", ctrl(Qt::Key_N)),
    ITEM(mnuOpen, "&Open...", ctrl(Qt::Key_O)),
    SEPARATOR(mnuBlank1),
    ITEM(mnuSave, "&Save", ctrl(Qt::Key_S)),
    ITEM(mnuSaveAs, "Save &As...", kNone),
    SEPARATOR(mnuBlank2),
    ITEM(mnuPrint, "&Print...", ctrl(Qt::Key_P)),
    ITEM(mnuPageSetup, "Page Set&up...", kNone),
    SEPARATOR(mnuBlank3),
    ITEM(mnuExit, "E&xit", kNone),
    MENU(mnuEdit, "&Edit"),
    ITEM(mnuUndo, "&Undo", ctrl(Qt::Key_Z)),
    ITEM(mnuRedo, "&Redo", ctrl(Qt::Key_Y)),
    SEPARATOR(mnuBlank5),
    ITEM(mnuCut, "Cu&t", ctrl(Qt::Key_X)),
    ITEM(mnuCopy, "&Copy", ctrl(Qt::Key_C)),
    ITEM(mnuPaste, "&Paste", ctrl(Qt::Key_V)),
    SEPARATOR(mnuBlank7),
    ITEM(mnuSelAll, "Select &All", ctrl(Qt::Key_A)),
    SEPARATOR(mnuBlank9),
    ITEM(mnuSearchReplace, "&Search/Replace", kNone),
    MENU(mnuInsert, "&Insert"),
    ITEM(mnuDateTime, "&Date and Time...", kNone),
    ITEM(mnuPic, "&Image...", kNone),
    MENU(mnuFormat, "&Format"),
    ITEM(mnuFont, "&Font...", kNone),
    CHECK(mnuWordWrap, "Word Wrap", false),
    ITEM(mnubground, "Background...", kNone),
    SEPARATOR(mnuFormatSep1),
    CHECK(mnuFormatLeft, "Left", true),
    CHECK(mnuFormatCenter, "Center", false),
    CHECK(mnuFormatRight, "Right", false),
};

#undef MENU
#undef ITEM
#undef CHECK
#undef SEPARATOR

// The toolbar: picture of ImageList1 (0 for a separator), the name a screen reader says, the
// tool tip.
struct ToolbarItem {
    int image;
    const char *name;
    const char *toolTip;
};

const ToolbarItem kToolbarButtons[] = {
    {2, "New", "New (Ctrl+N)"},     {7, "Open", "Open (Ctrl+O)"}, {9, "Save As", "Save As"},
    {8, "Print", "Print (Ctrl+P)"}, {0, nullptr, nullptr},        {6, "Cut", "Cut (Ctrl+X)"},
    {1, "Copy", "Copy (Ctrl+C)"},   {3, "Paste", "Paste (Ctrl+V)"}, {0, nullptr, nullptr},
    {5, "Undo", "Undo (Ctrl+Z)"},   {4, "Redo", "Redo (Ctrl+Y)"},
};

constexpr int kButtonWidth = 345;  // twips
constexpr int kButtonHeight = 330; // twips

} // namespace

void Form1::buildMenus()
{
    // The editing area's context menu offers the Edit items through copies of its own, so that
    // it can show what can be done when it opens while the Edit menu keeps its own states.
    m_editContextMenu = new QMenu(this);
    m_editContextMenu->setObjectName(QStringLiteral("txtEditContextMenu"));

    QMenu *menu = nullptr;
    for (const MenuItem &entry : kMenuItems) {
        QAction *action = nullptr;
        const bool inEditMenu = menu && menu->menuAction() == mnuEdit;
        if (!entry.handler && qstrcmp(entry.caption, "-") != 0) {
            menu = menuBar()->addMenu(QString::fromUtf8(entry.caption));
            action = menu->menuAction();
        } else if (qstrcmp(entry.caption, "-") == 0) {
            action = menu->addSeparator();
            if (inEditMenu)
                m_editContextMenu->addSeparator();
        } else {
            action = menu->addAction(QString::fromUtf8(entry.caption));
            if (entry.shortcut != kNone)
                action->setShortcut(QKeySequence(entry.shortcut));
            action->setCheckable(entry.checkable);
            action->setChecked(entry.checked);
            // A click toggles a checkable item before its handler runs; the check marks belong to
            // the commands, so the click's own toggle is taken back first.
            if (entry.checkable)
                connect(action, &QAction::triggered, action, [action] { action->setChecked(!action->isChecked()); });
            const auto handler = entry.handler;
            connect(action, &QAction::triggered, this, [this, handler] {
                runCommand([this, handler] { handler(*this); });
            });
            if (inEditMenu) {
                // The shortcut is shown, not owned: the Edit item keeps it.
                QString text = action->text();
                if (entry.shortcut != kNone)
                    text += QLatin1Char('\t') + action->shortcut().toString(QKeySequence::NativeText);
                QAction *copy = m_editContextMenu->addAction(text);
                copy->setObjectName(QString::fromLatin1(entry.name));
                copy->setData(QVariant::fromValue(action));
                connect(copy, &QAction::triggered, this, [this, handler] {
                    runCommand([this, handler] { handler(*this); });
                });
            }
        }
        action->setObjectName(QString::fromLatin1(entry.name));
        this->*entry.item = action;
    }

    // The three alignments show as one group of choices; their check marks are set by the
    // commands, so the group itself lets any of them go.
    auto *alignments = new QActionGroup(this);
    alignments->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction *item : {mnuFormatLeft, mnuFormatCenter, mnuFormatRight})
        alignments->addAction(item);

    connect(txtEdit, &QWidget::customContextMenuRequested, this, [this](const QPoint &position) {
        runCommand([&] { txtEdit_ContextMenu(position); });
    });
    buildSpelling();
}

void Form1::buildSpelling()
{
    SpellChecker &checker = SpellChecker::shared();
    txtEditSpelling = new InlineSpelling(*txtEdit, checker);
    txtEditSpelling->setEnabled(SpellingMenu::savedCheckSpelling());
    m_spellingMenu = new SpellingMenu(*m_editContextMenu, *txtEditSpelling, checker,
                                      [this](const std::function<void()> &work) { runCommand(work); });
    // A personal word list that can't be read is told once, when the window is up.
    QTimer::singleShot(0, this, [this] {
        const QString problem = SpellChecker::shared().takeWordListProblem();
        if (!problem.isEmpty())
            m_messages.MsgBox(problem, vbExclamation);
    });
}

void Form1::txtEdit_ContextMenu(const QPoint &position)
{
    for (QAction *copy : m_editContextMenu->actions())
        if (!copy->isSeparator())
            copy->setEnabled(EditCommandAvailable(copy->data().value<QAction *>()));
    m_spellingMenu->prepare(position);
    m_editContextMenu->popup(txtEdit->viewport()->mapToGlobal(position));
}

void Form1::buildToolbar()
{
    ImageList1 = toolbarImageList();
    for (const ToolbarItem &button : kToolbarButtons) {
        if (button.image == 0)
            Toolbar1->AddSeparator();
        else
            Toolbar1->AddButton(ImageList1, button.image, QString::fromUtf8(button.name),
                                QString::fromUtf8(button.toolTip));
    }
    Toolbar1->setButtonSize(kButtonWidth, kButtonHeight);
    // The smallest client area holds the whole toolbar: no button is cut off or hidden.
    m_client->setMinimumWidth(std::max(m_client->minimumWidth(), Toolbar1->sizeHint().width()));
    connect(Toolbar1, &Toolbar::ButtonClick, this, [this](ToolbarButton &button) {
        Toolbar1_ButtonClick(button);
    });
}

void Form1::Toolbar1_ButtonClick(ToolbarButton &Button)
{
    ReportingProcedure proc(m_messages, QStringLiteral("in Corvala2021/08/31.Form1.toolbar1_ButtonClick "));
    int index = 0;
    if (!proc.Step(100, [&] { index = Button.Index(); }))
        return;
    switch (index) {
    case 1: proc.Step(102, [&] { mnuNew_Click(); }); break;
    case 2: proc.Step(106, [&] { mnuOpen_Click(); }); break;
    case 3: proc.Step(110, [&] { mnuSaveAs_Click(); }); break;
    case 4: proc.Step(114, [&] { mnuPrint_Click(); }); break;
    case 6: proc.Step(118, [&] { mnuCut_Click(); }); break;
    case 7: proc.Step(122, [&] { mnuCopy_Click(); }); break;
    case 8: proc.Step(126, [&] { mnuPaste_Click(); }); break;
    case 10: proc.Step(130, [&] { mnuUndo_Click(); }); break;
    case 11: proc.Step(134, [&] { mnuRedo_Click(); }); break;
    default: break; // the separators, and anything else, run nothing
    }
}
