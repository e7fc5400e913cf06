// editing_bench window FILE.rtf | editing_bench typing FILE.rtf | editing_bench steady FILE.rtf
// | editing_bench facade LINES DIR
// | editing_bench open FILE.rtf [KEYS] | editing_bench spelling FILE.rtf on|off
// | editing_bench replace FILE.rtf WHAT WITH
//
// Times editing in the real main window (Form1, on whatever platform QT_QPA_PLATFORM names:
// offscreen for a headless run), one command at a time, as the user meets it. Each mode is a
// function of its own below, run in a process of its own (bench/editing.sh lists them):
//
//   window: Open of FILE until the first paint, the first line query after it (which needs the
//     whole layout), a typed key at the start, middle and end of the text (200 each, every key
//     with its paint), Undo and Redo of one key, Select All, Copy of everything, Save As RTF
//     and Paste of about 1 MB; keys typed while the recovery copy is written;
//   typing: Open of FILE, then keys typed at the caret from the moment the window shows the
//     document, at a typist's pace, while the rest of the document is laid out in the
//     background; the passes of the event loop between the keys are timed too, for the longest
//     a key arriving during one of them would wait;
//   steady: Open of FILE, then steady typing in the middle, ten words a second: 6 s without
//     recovery copies, then 12 s with them on the program's own timing (a copy is started
//     every few seconds while the typing goes on); the passes of the event loop between keys
//     are timed too, and a key or pass that starts a copy apart;
//   open: Open of FILE until the first paint, the rest of its layout, and a typed key in the
//     innermost table cell (KEYS of them, default 20), for files of unusual shape (a very long
//     table, tables nested deep) that make_big_rtf writes;
//   replace: Open of FILE, then Replace All of WHAT by WITH, pressed in the Find and Replace
//     dialog as Edit > Search/Replace opens it, until its not-found message, and the Undo after
//     it; how many replacements the Undo took back, and the longest the window's events waited
//     during Replace All, go to stderr;
//   facade: the editor facade's text services on a plain-text file of LINES lines it writes
//     into DIR: the editing area's own plain-text load (the floor), LoadFromFile, setText of the
//     same text, ForeColor and Convert (upper case) of the whole text, Copy and Paste of it all;
//   spelling: the same window with spelling on or off (English): Open of FILE until the first
//     paint, the first check of the view after it, and 50 page downs, one process for each side;
//     then in either process a typed key at the start and in the middle, 200 each, with spelling
//     off and on in turns of 20. Each key and page is followed by its paint and by the check it
//     causes, run at once instead of after the timer's pause, and reported with it ("its check"
//     is that check alone).
//
// Each step prints one line: name, CPU time of the process in ms (median and worst for steps
// repeated), wall-clock ms (median), the resident set's peak during the step and after it in MB:
//   step<TAB>cpu<TAB>cpuWorst<TAB>wall<TAB>stepPeakMB<TAB>processPeakMB
// bench/editing.sh runs it on two builds and puts the lines side by side.
#include "ScriptedAnswers.h"
#include "Sequence.h"
#if __has_include("app/recovery/RecoveryKeeper.h")
#include "app/recovery/RecoveryKeeper.h"
#define EDITING_BENCH_RECOVERY 1
#endif
#include "dialogs/FindDialogState.h"
#include "dialogs/frmFind.h"
#include "editor/mTxtHelper.h"
// Older trees, which bench/baseline.sh builds the benchmark in, have no spelling.
#if __has_include("editor/spelling/InlineSpelling.h")
#include "editor/spelling/InlineSpelling.h"
#include "editor/spelling/SpellChecker.h"
#define EDITING_BENCH_SPELLING 1
#endif
#include "mainwindow/Form1.h"
#include "platform/richtextbox/RichTextBox.h"
#include "platform/LargeBuffers.h"
#include "platform/WindowMessages.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QThreadPool>
#include <QTimer>
#include <QtGui/private/qtextdocumentlayout_p.h>
#include <QtTest/QTest>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double wallMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The peak of the resident set since the last reset, in MB.
double peakMb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024;
    return 0;
}

double processPeakMb = 0;

// Starts a new peak at the resident set's current size.
void resetPeak()
{
    processPeakMb = std::max(processPeakMb, peakMb());
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Events the step left behind (paints, layout steps due) belong to it.
void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

void report(const char *name, std::vector<double> cpu, std::vector<double> wall)
{
    std::sort(cpu.begin(), cpu.end());
    std::sort(wall.begin(), wall.end());
    const double stepPeak = peakMb();
    processPeakMb = std::max(processPeakMb, stepPeak);
    std::printf("%s\t%.2f\t%.2f\t%.2f\t%.1f\t%.1f\n", name, cpu[cpu.size() / 2], cpu.back(),
                wall[wall.size() / 2], stepPeak, processPeakMb);
    std::fflush(stdout);
}

// Runs the action `times` times, each followed by its paint, and reports them as one step.
void measure(const char *name, int times, const std::function<void()> &action,
             const std::function<void()> &between = {})
{
    std::vector<double> cpu, wall;
    resetPeak();
    for (int i = 0; i < times; ++i) {
        if (between) {
            // Moving the caret there, and the paint of the view it scrolls to, are not the step.
            between();
            settle();
        }
        const double c = cpuMs(), w = wallMs();
        action();
        settle();
        cpu.push_back(cpuMs() - c);
        wall.push_back(wallMs() - w);
    }
    report(name, cpu, wall);
}

void typeKey(RichTextBox &box) { QTest::keyClick(&box, Qt::Key_A); }

// The main window as the program shows it, its editing area holding the focus.
struct ShownWindow
{
    AnswerYes messages;
    AnswerFiles dialogs;
    Form1 form{messages, dialogs};

    ShownWindow()
    {
        form.Form_Load();
        form.show();
        (void)QTest::qWaitForWindowExposed(&form);
        form.activateWindow();
        form.txtEdit->setFocus();
        settle();
        // The window is not closed through its menu: nothing must end the program.
        }
};

#ifdef EDITING_BENCH_RECOVERY
// Keys typed while the recovery copy of the document is being written. The copy is started as
// its timer starts it (what that costs the window's thread is a step of its own), then keys are
// typed in the middle of the text, each with its paint, until the copy is in place; a key the
// write left waiting would show here. Next to it, what writing the copy on the window's thread
// would make a key wait, and what a clone of the document, for a thread to write, would cost the
// window's thread. The copies go to a folder of their own, removed afterwards.
void keysDuringRecoveryWrite(Form1 &form, RichTextBox &box)
{
    QTemporaryDir state;
    RecoveryKeeper &recovery = *form.Recovery;
    // Timers that never come due: only the benchmark starts a copy.
    recovery.start(RecoveryFolder(state.filePath(QStringLiteral("corvala/recovery"))), {3600 * 1000, 3600 * 1000});
    // No copy starts while the dictionary is read in the background.
    QThreadPool::globalInstance()->waitForDone();
    constexpr int writes = 5;
    std::vector<double> startCpu, startWall, keyCpu, keyWall, whole;
    resetPeak();
    for (int i = 0; i < writes; ++i) {
        box.setSelStart(box.TextLength() / 2);
        typeKey(box); // the change the copy is for
        settle();
        QSignalSpy written(&recovery, &RecoveryKeeper::copyWritten);
        const double w0 = wallMs();
        double c = cpuMs(), w = w0;
        recovery.writeDueCopy();
        startCpu.push_back(cpuMs() - c);
        startWall.push_back(wallMs() - w);
        while (recovery.writing()) {
            c = cpuMs(), w = wallMs();
            typeKey(box);
            settle();
            keyCpu.push_back(cpuMs() - c);
            keyWall.push_back(wallMs() - w);
        }
        whole.push_back(wallMs() - w0);
        if (written.count() != 1)
            std::fprintf(stderr, "recovery copy not written\n");
    }
    report("recovery write: its start", startCpu, startWall);
    report("typed key during a recovery write", keyCpu, keyWall);
    std::sort(whole.begin(), whole.end());
    std::fprintf(stderr, "recovery write: %zu keys during %d writes, a write %.0f ms wall-clock (median)\n",
                 keyCpu.size(), writes, whole[whole.size() / 2]);
    measure("recovery write on the window's thread", 3,
            [&] { CopyWriter::write(*box.document(), state.filePath(QStringLiteral("copy.rtf"))); });
    // A copy of the document that another thread could write: what taking it would cost.
    std::vector<std::unique_ptr<QTextDocument>> clones;
    measure("a clone of the document (not done)", 3, [&] { clones.emplace_back(box.document()->clone()); });
    clones.clear();
    recovery.finish();
}
#endif

// Open of the file through the menu command, until the window has painted the document.
void openUntilFirstPaint(ShownWindow &shown, const QString &file)
{
    measure("Open until first paint", 1, [&] {
        shown.dialogs.answers = {{file, 1}};
        shown.form.mnuOpen_Click();
        shown.form.txtEdit->viewport()->repaint();
    });
}

int window(const QString &file)
{
    ShownWindow shown;
    Form1 &form = shown.form;
    AnswerFiles &dialogs = shown.dialogs;
    RichTextBox &box = *form.txtEdit;
    mTxtHelper &helper = *form.TxtHelper;

    openUntilFirstPaint(shown, file);
    measure("first line query after Open", 1, [&] { (void)helper.LineCount(); });
    constexpr int keys = 200;
    measure("typed key at the start", keys, [&] { typeKey(box); }, [&] { box.setSelStart(0); });
    measure("typed key in the middle", keys, [&] { typeKey(box); },
            [&] { box.setSelStart(box.TextLength() / 2); });
    measure("typed key at the end", keys, [&] { typeKey(box); },
            [&] { box.setSelStart(box.TextLength()); });
    measure("Enter at the start", keys, [&] { QTest::keyClick(&box, Qt::Key_Return); },
            [&] { box.setSelStart(0); });

    // One key typed at the start, then taken back and put back by the menu commands.
    constexpr int undos = 20;
    std::vector<double> undoCpu, undoWall, redoCpu, redoWall;
    resetPeak();
    for (int i = 0; i < undos; ++i) {
        box.setSelStart(0);
        typeKey(box);
        settle();
        double c = cpuMs(), w = wallMs();
        form.mnuUndo_Click();
        settle();
        undoCpu.push_back(cpuMs() - c);
        undoWall.push_back(wallMs() - w);
        c = cpuMs(), w = wallMs();
        form.mnuRedo_Click();
        settle();
        redoCpu.push_back(cpuMs() - c);
        redoWall.push_back(wallMs() - w);
    }
    report("Undo of one key", undoCpu, undoWall);
    report("Redo of one key", redoCpu, redoWall);

    measure("Select All", 5, [&] { form.mnuSelAll_Click(); }, [&] { box.setSelStart(0); });
    measure("Copy all", 3, [&] { form.mnuCopy_Click(); }, [&] { form.mnuSelAll_Click(); });
    const QString saved = QFileInfo(file).absolutePath() + QStringLiteral("/editing-bench-save.rtf");
    // Save As RTF of the same document, next to Copy all: both write the whole text as RTF.
    measure("Save As RTF", 3, [&] {
        dialogs.answers = {{saved, 1}};
        form.mnuSaveAs_Click();
    });
#ifdef EDITING_BENCH_RECOVERY
    keysDuringRecoveryWrite(form, box);
#endif
    // About 1 MB of the document's own content, pasted at its start.
    box.setSelStart(box.TextLength() / 3);
    box.setSelLength(std::min(1 << 20, box.TextLength() / 3));
    form.mnuCopy_Click();
    std::fprintf(stderr, "paste: %lld characters of text, %lld bytes of RTF\n",
                 qlonglong(QApplication::clipboard()->mimeData()->text().size()),
                 qlonglong(QApplication::clipboard()->mimeData()->data(QStringLiteral("text/rtf")).size()));
    measure("Paste of 1 MB", 3, [&] { form.mnuPaste_Click(); }, [&] { box.setSelStart(0); });
    std::fprintf(stderr, "document: %d characters, %d paragraphs, file %lld bytes\n", box.TextLength(),
                 box.document()->blockCount(), qlonglong(QFileInfo(file).size()));
    QFile::remove(saved);
    std::printf("file size MB\t%.1f\n", QFileInfo(file).size() / 1048576.0);
    return 0;
}

#ifdef EDITING_BENCH_RECOVERY
// Steady typing in the middle of the text, ten words a second (a key every 1/60 s: words of five
// letters and a space, a new paragraph after every twelve words, so that no paragraph outgrows
// the line's room and the widening it costs, measured by `window`, stays out): first 6 s with no recovery copy kept, then 12 s with the copies on the
// timing the program gives them, so that copies are started while the typing goes on. Each key
// is timed with its paint, and each pass of the event loop between two keys; a key or a pass
// that started a copy (the fork) is timed apart, since a key that came during it would wait for
// it. Keys of 16 ms or more are listed on stderr, with whether a copy was being written.
int steady(const QString &file)
{
    ShownWindow shown;
    RichTextBox &box = *shown.form.txtEdit;
    RecoveryKeeper &recovery = *shown.form.Recovery;
    openUntilFirstPaint(shown, file);
    // The dictionary is read in the background at start-up, and no copy starts meanwhile: the
    // steady state is after it.
    QThreadPool::globalInstance()->waitForDone();
    int written = 0;
    QObject::connect(&recovery, &RecoveryKeeper::copyWritten, [&written] { ++written; });
    box.setSelStart(box.TextLength() / 2);
    settle();

    constexpr double keyEveryMs = 1000.0 / 60;
    const auto type = [&](const char *name, double typingMs) {
        std::vector<double> keyCpu, keyWall, passCpu, passWall, startCpu, startWall;
        resetPeak();
        const double begin = wallMs();
        double due = begin;
        // Times one key or pass, apart when it started a copy.
        const auto timed = [&](const std::function<void()> &run, std::vector<double> &cpu, std::vector<double> &wall) {
            const bool wasWriting = recovery.writing();
            const double c = cpuMs(), w = wallMs();
            run();
            const bool started = !wasWriting && recovery.writing();
            (started ? startCpu : cpu).push_back(cpuMs() - c);
            (started ? startWall : wall).push_back(wallMs() - w);
            return started;
        };
        for (int key = 0; wallMs() - begin < typingMs; ++key) {
            due += keyEveryMs;
            for (double now = wallMs(); now < due; now = wallMs()) {
                QTimer wake; // so that the wait ends on time when nothing else is due
                wake.setSingleShot(true);
                wake.start(int(due - now) + 1);
                timed([] { QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents); }, passCpu, passWall);
            }
            const bool writing = recovery.writing();
            const bool started = timed([&] {
                QTest::keyClick(&box, key % 72 == 71 ? Qt::Key_Return : key % 6 == 5 ? Qt::Key_Space : Qt::Key_A);
                settle();
            }, keyCpu, keyWall);
            const double cost = started ? startCpu.back() : keyCpu.back();
            if (cost >= 16)
                std::fprintf(stderr, "%s: key %d at %.1f s took %.1f ms of CPU%s\n", name, key, (wallMs() - begin) / 1000,
                             cost, started ? ", starting a copy" : writing ? ", a copy being written" : "");
        }
        const std::string prefix = std::string(name) + ": ";
        report((prefix + "typed key").c_str(), keyCpu, keyWall);
        report(("  " + prefix + "event-loop pass between keys").c_str(), passCpu, passWall);
        if (!startCpu.empty())
            report(("  " + prefix + "key or pass that starts a copy").c_str(), startCpu, startWall);
        std::fprintf(stderr, "%s: %zu keys in %.0f s, %zu copies started\n", name, keyCpu.size() + startCpu.size(),
                     typingMs / 1000, startCpu.size());
    };
    type("steady typing, no copies", 6000);
    QTemporaryDir state;
    recovery.start(RecoveryFolder(state.path()));
    type("steady typing with copies", 12000);
    std::fprintf(stderr, "steady typing: %d copies written\n", written);
    recovery.finish();
    return 0;
}
#endif

// The start of the paragraph nested in the most tables, or 0 when there is no table.
int innermostCell(const QTextDocument &document)
{
    int deepest = 0, position = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        int depth = 0;
        for (QTextFrame *frame = QTextCursor(block).currentFrame(); frame && frame->parentFrame();
             frame = frame->parentFrame())
            ++depth;
        if (depth > deepest) {
            deepest = depth;
            position = block.position();
        }
    }
    std::fprintf(stderr, "innermost cell: %d tables deep, at %d\n", deepest, position);
    return position;
}

int open(const QString &file, int keys)
{
    ShownWindow shown;
    Form1 &form = shown.form;
    RichTextBox &box = *form.txtEdit;
    openUntilFirstPaint(shown, file);
    measure("first line query after Open", 1, [&] { (void)form.TxtHelper->LineCount(); });
    const int cell = innermostCell(*box.document());
    measure("typed key in the innermost cell", keys, [&] { typeKey(box); },
            [&] { box.setSelStart(cell); });
    std::fprintf(stderr, "document: %d characters, %d paragraphs, file %lld bytes\n", box.TextLength(),
                 box.document()->blockCount(), qlonglong(QFileInfo(file).size()));
    return 0;
}

int replaceAll(const QString &file, const QString &what, const QString &with)
{
    ShownWindow shown;
    Form1 &form = shown.form;
    RichTextBox &box = *form.txtEdit;
    openUntilFirstPaint(shown, file);
    measure("first line query after Open", 1, [&] { (void)form.TxtHelper->LineCount(); });
    const int before = int(box.Text().count(what));
    form.mnuSearchReplace_Click();
    frmFind &dialog = *FindDialog;
    dialog.txtFind->setText(what);
    dialog.txtReplace->setText(with);
    settle();
    // How long the window's events wait while Replace All runs: a timer that fires whenever
    // they get their turn.
    double longestWait = 0, lastTurn = wallMs();
    QTimer turns;
    QObject::connect(&turns, &QTimer::timeout, [&] {
        longestWait = std::max(longestWait, wallMs() - lastTurn);
        lastTurn = wallMs();
    });
    turns.start(0);
    measure("Replace All", 1, [&] {
        lastTurn = wallMs();
        dialog.cmdReplaceAll->click();
    });
    turns.stop();
    const int after = int(box.Text().count(what));
    const int replaced = int(box.Text().count(with));
    measure("Undo after Replace All", 1, [&] { form.mnuUndo_Click(); });
    std::fprintf(stderr, "replace: %d of \"%s\" before, %d after, %d of \"%s\" after Replace All, %d after its Undo;"
                         " events waited at most %.1f ms\n",
                 before, qPrintable(what), after, replaced, qPrintable(with), int(box.Text().count(with)), longestWait);
    std::fprintf(stderr, "document: %d characters, %d paragraphs, file %lld bytes\n", box.TextLength(),
                 box.document()->blockCount(), qlonglong(QFileInfo(file).size()));
    return after == 0 && replaced >= before ? 0 : 1;
}

// Whether the document's layout has come to its end (Qt's layout says how far it has come).
bool laidOut(const QTextDocument &document)
{
    const auto *layout = qobject_cast<const QTextDocumentLayout *>(document.documentLayout());
    return !layout || layout->layoutStatus() == 100;
}

int typing(const QString &file)
{
    ShownWindow shown;
    RichTextBox &box = *shown.form.txtEdit;
    openUntilFirstPaint(shown, file);

    // Keys at the caret (the start), one every 30 to 130 ms of the clock, until the layout is
    // complete, at least 40 of them. Between two keys the event loop runs as it would: every
    // pass of it is timed; a key that came during a pass would wait for the rest of it.
    Sequence pauses;
    std::vector<double> keyCpu, keyWall, passCpu, passWall;
    resetPeak();
    double background = 0;
    for (int key = 0; key < 4000 && (key < 40 || !laidOut(*box.document())); ++key) {
        const double until = wallMs() + 30 + pauses.next(100);
        for (double now = wallMs(); now < until; now = wallMs()) {
            QTimer wake; // so that the wait ends on time when nothing else is due
            wake.setSingleShot(true);
            wake.start(int(until - now) + 1);
            const double c = cpuMs(), w = wallMs();
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            passCpu.push_back(cpuMs() - c);
            passWall.push_back(wallMs() - w);
            background += passCpu.back();
        }
        const double c = cpuMs(), w = wallMs();
        typeKey(box);
        settle();
        keyCpu.push_back(cpuMs() - c);
        keyWall.push_back(wallMs() - w);
    }
    report("typed key right after Open", keyCpu, keyWall);
    report("  event-loop pass between keys", passCpu, passWall);
    report("  rest of the layout in the background, in all", {background}, {background});
    // A paragraph the layout passed without laying it out shows nothing: there must be none.
    int withoutLines = 0;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next())
        withoutLines += block.length() > 1 && block.layout()->lineCount() == 0;
    std::fprintf(stderr, "typing: %zu keys, %zu passes, laid out: %d, paragraphs without lines: %d\n",
                 keyCpu.size(), passCpu.size(), int(laidOut(*box.document())), withoutLines);
    return 0;
}

// A plain-text document of `lines` lines of about 42 characters: words, a few capitalised.
QString plainDocument(int lines)
{
    static const char *const words[] = {"the", "editor", "reads", "plain", "text", "quickly", "and",
                                        "writes", "it", "back", "without", "losing", "Corvala",
                                        "lines", "paragraph", "document", "Über", "naïve"};
    Sequence random;
    QString text;
    text.reserve(lines * 44);
    for (int line = 0; line < lines; ++line) {
        const int start = int(text.size());
        while (text.size() - start < 36)
            text += QString::fromUtf8(words[random.next(std::size(words))]) + QLatin1Char(' ');
        text += QStringLiteral("%1\n").arg(line);
    }
    return text;
}

int facade(int lines, const QString &dir)
{
    ShownWindow shown;
    Form1 &form = shown.form;
    RichTextBox &box = *form.txtEdit;
    mTxtHelper &helper = *form.TxtHelper;

    const QString text = plainDocument(lines);
    const QString file = dir + QStringLiteral("/editing-bench-%1-lines.txt").arg(lines);
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(text.toUtf8()) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    std::fprintf(stderr, "facade: %d lines, %lld characters\n", lines, qlonglong(text.size()));

    // A change laid out lazily leaves the rest of the layout to the idle moments after it; the
    // next command that needs the whole layout (a line count, the caret at the end) pays for
    // what is left. Each command is followed by that rest, as a step of its own.
    const auto step = [&](const char *name, const char *rest, const std::function<void()> &action,
                          const std::function<void()> &between = {}) {
        measure(name, 1, action, between);
        measure(rest, 1, [&] { (void)helper.LineCount(); });
    };
    step("editing area's plain-text load", "  plain-text load: rest of the layout", [&] { box.LoadFile(file, rtfText); });
    step("New (empty document)", "  New: rest of the layout", [&] { box.setText(QString()); });
    step("facade LoadFromFile", "  LoadFromFile: rest of the layout", [&] { helper.LoadFromFile(file); });
    step("facade setText", "  setText: rest of the layout", [&] { box.setText(text); });
    step("facade ForeColor", "  ForeColor: rest of the layout", [&] { helper.setForeColor(0x0000C0); });
    step("facade Convert (upper case)", "  Convert: rest of the layout", [&] { helper.Convert(0); },
         [&] { box.setSelStart(0); });
    step("facade Copy all", "  Copy all: rest of the layout", [&] {
        helper.SelectAll();
        helper.Copy();
    });
    step("facade Paste all", "  Paste all: rest of the layout", [&] { helper.Paste(); }, [&] { box.setSelStart(0); });
    std::fprintf(stderr, "after: %d characters\n", box.TextLength());
    QFile::remove(file);
    return 0;
}

#ifdef EDITING_BENCH_SPELLING
// Spelling on or off: what it adds to opening, to a key and to scrolling. Each key and page is
// followed by the check it causes at once, so that its whole cost is counted.
int spelling(const QString &file, bool on)
{
    // Neither the user's word list nor the user's "Check Spelling" choice take part.
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("LC_ALL", "en_US.UTF-8");
    ShownWindow shown;
    Form1 &form = shown.form;
    RichTextBox &box = *form.txtEdit;
    InlineSpelling &spelling = *form.txtEditSpelling;
    SpellChecker &checker = SpellChecker::shared();
    for (int waited = 0; !checker.isReady() && waited < 20000; waited += 10)
        QTest::qWait(10);
    if (!checker.isReady()) {
        std::fprintf(stderr, "spelling: no English dictionary (hunspell-en-us)\n");
        return 1;
    }
    // The check's own share of each step, reported beside it.
    std::vector<double> checkCpu, checkWall;
    const auto checked = [&](const std::function<void()> &action) {
        return [&, action] {
            action();
            settle();
            const double c = cpuMs(), w = wallMs();
            spelling.checkNow();
            settle();
            checkCpu.push_back(cpuMs() - c);
            checkWall.push_back(wallMs() - w);
        };
    };
    const auto measureChecked = [&](const std::string &step, int times, const std::function<void()> &action,
                                    const std::function<void()> &between = {}) {
        checkCpu.clear();
        checkWall.clear();
        measure(step.c_str(), times, checked(action), between);
        report(("  its check: " + step).c_str(), checkCpu, checkWall);
    };
    constexpr int keys = 200;
    constexpr int pages = 50;
    {
        spelling.setEnabled(on);
        const std::string side = on ? " (spelling on)" : " (spelling off)";
        const auto name = [&](const char *step) { return step + side; };
        measure(name("Open until first paint").c_str(), 1, [&] {
            shown.dialogs.answers = {{file, 1}};
            form.mnuOpen_Click();
            box.viewport()->repaint();
        });
        measure(name("first check after Open").c_str(), 1, [&] { spelling.checkNow(); });
        std::fprintf(stderr, "spelling%s: %lld words underlined on and around the screen\n", side.c_str(),
                     qlonglong(spelling.underlined().size()));
        // Keys with spelling off and on in turns of 20 at the same place, so that the load of
        // the machine (shared, and never steady) falls on both alike.
        const auto keysBothWays = [&](const std::string &step, const std::function<void()> &place) {
            std::vector<double> cpu[2], wall[2], ownCpu[2], ownWall[2];
            for (int round = 0; round < keys / 20; ++round) {
                for (const bool side : {false, true}) {
                    spelling.setEnabled(side);
                    spelling.checkNow();
                    settle();
                    for (int i = 0; i < 20; ++i) {
                        place();
                        settle();
                        const double c = cpuMs(), w = wallMs();
                        typeKey(box);
                        settle();
                        const double checkC = cpuMs(), checkW = wallMs();
                        spelling.checkNow();
                        settle();
                        cpu[side].push_back(cpuMs() - c);
                        wall[side].push_back(wallMs() - w);
                        ownCpu[side].push_back(cpuMs() - checkC);
                        ownWall[side].push_back(wallMs() - checkW);
                    }
                }
            }
            for (const bool side : {false, true}) {
                const std::string named = step + (side ? " (spelling on)" : " (spelling off)");
                report(named.c_str(), cpu[side], wall[side]);
                report(("  its check: " + named).c_str(), ownCpu[side], ownWall[side]);
            }
            spelling.setEnabled(on);
        };
        keysBothWays("typed key at the start", [&] { box.setSelStart(0); });
        keysBothWays("typed key in the middle", [&] { box.setSelStart(box.TextLength() / 2); });
        box.setSelStart(box.TextLength() / 3);
        settle();
        measureChecked(name("page down"), pages, [&] { QTest::keyClick(&box, Qt::Key_PageDown); });
    }
    return 0;
}
#endif

} // namespace

int main(int argc, char **argv)
{
    // The program's memory is measured as the program sets it up.
    LargeBuffers::keepInTheirOwnPages();
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 3 && arguments[1] == QLatin1String("window"))
        return window(arguments[2]);
    if ((arguments.size() == 3 || arguments.size() == 4) && arguments[1] == QLatin1String("open"))
        return open(arguments[2], arguments.size() == 4 ? arguments[3].toInt() : 20);
    if (arguments.size() == 5 && arguments[1] == QLatin1String("replace"))
        return replaceAll(arguments[2], arguments[3], arguments[4]);
    if (arguments.size() == 3 && arguments[1] == QLatin1String("typing"))
        return typing(arguments[2]);
#ifdef EDITING_BENCH_RECOVERY
    if (arguments.size() == 3 && arguments[1] == QLatin1String("steady"))
        return steady(arguments[2]);
#endif
    if (arguments.size() == 4 && arguments[1] == QLatin1String("facade"))
        return facade(arguments[2].toInt(), arguments[3]);
#ifdef EDITING_BENCH_SPELLING
    if (arguments.size() == 4 && arguments[1] == QLatin1String("spelling"))
        return spelling(arguments[2], arguments[3] == QLatin1String("on"));
#endif
    std::fprintf(stderr, "usage: editing_bench window FILE.rtf | editing_bench typing FILE.rtf | "
                         "editing_bench steady FILE.rtf | "
                         "editing_bench facade LINES DIR | editing_bench open FILE.rtf [KEYS] | "
                         "editing_bench spelling FILE.rtf on|off | editing_bench replace FILE.rtf WHAT WITH\n");
    return 2;
}
