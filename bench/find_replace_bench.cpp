// find_replace_bench [REPS [replace|find]]: times the Find and Replace dialog on big documents, on a shown
// editing area (offscreen), and the search alone without a widget.
//
//   - Replace All of 10,000 occurrences in a 1 MB document, pressed in the dialog, next to the
//     same replacements made by the search over a bare document, and to a plain QString
//     replace of the same text (the floor);
//   - Find Next in a 4 MB document whose only match is near the end, a press at a time, next to
//     the search alone and to the cost of reading the whole text afresh, as a search that
//     copies the text would pay for every press.
//
// Documents follow a fixed pseudo-random sequence: paragraphs of varied length, runs in bold
// and italic, and a picture every few hundred paragraphs.
#include "Sequence.h"
#include "dialogs/FindDialogState.h"
#include "dialogs/frmFind.h"
#include "editor/TextSearch.h"
#include "editor/mTxtHelper.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/richtextbox/RichTextBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <QtTest/QTest>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <iterator>
#include <vector>

namespace {

const char *const kWords[] = {"the", "editor", "reads", "rich", "text", "quickly", "and", "writes",
                              "it", "back", "without", "losing", "a", "single", "character", "of",
                              "formatting", "paragraph", "document", "éclair", "Größe", "привет"};

// Fills the document with about `characters` characters; `marker` is written `occurrences`
// times, spread evenly, or once near the end when `occurrences` is 1. No word contains it.
void fill(QTextDocument &document, int characters, const QString &marker, int occurrences)
{
    Sequence random;
    QTextCursor cursor(&document);
    QTextCharFormat plain, bold, italic;
    bold.setFontWeight(QFont::Bold);
    italic.setFontItalic(true);
    const QTextCharFormat *formats[] = {&plain, &plain, &plain, &bold, &italic};
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);

    const int spacing = occurrences > 1 ? characters / occurrences : characters - characters / 50;
    int written = 0, nextMarker = occurrences > 1 ? spacing / 2 : spacing, markers = 0, paragraphs = 0;
    cursor.beginEditBlock();
    while (written < characters) {
        QString run;
        const int words = 3 + int(random.next(12));
        for (int i = 0; i < words; ++i) {
            run += QString::fromUtf8(kWords[random.next(std::size(kWords))]) + QLatin1Char(' ');
            if (markers < occurrences && written + run.size() >= nextMarker) {
                run += marker + QLatin1Char(' ');
                ++markers;
                nextMarker += spacing;
            }
        }
        cursor.insertText(run, *formats[random.next(5)]);
        written += int(run.size());
        if (random.next(4) == 0) {
            cursor.insertBlock();
            ++written;
            if (++paragraphs % 300 == 0) {
                cursor.insertImage(picture);
                ++written;
            }
        }
    }
    cursor.endEditBlock();
}

// Answers every box at once, and counts them.
class CountingMessageBox : public MessageBoxService
{
public:
    int shown = 0;

protected:
    int show(const QString &, int, const QString &, QWidget *) override { return ++shown, vbOK; }
};

// An editing area in a shown window, as the main window lays it out, with its facade.
struct ShownEditor {
    QWidget window;
    RichTextBox *box = new RichTextBox(&window);
    mTxtHelper helper;
    CountingMessageBox messages;

    ShownEditor()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(box);
        box->setLineWrapMode(QTextEdit::NoWrap);
        window.resize(558, 450);
        window.show();
        (void)QTest::qWaitForWindowExposed(&window);
        helper.SetEditor(box);
    }

    frmFind *openDialog(const QString &what, const QString &with)
    {
        ReplaceMode = 1;
        auto *dialog = new frmFind(*box, helper, messages, &window);
        dialog->Form_Load();
        dialog->show();
        dialog->txtFind->setText(what);
        dialog->txtReplace->setText(with);
        return dialog;
    }
};

// Wall-clock and CPU time of the process since start(): on a machine shared with other work the
// CPU time is the steadier of the two.
class Stopwatch
{
public:
    void start()
    {
        m_wall.start();
        m_cpu = cpuNow();
    }
    double wallMs() const { return m_wall.nsecsElapsed() / 1e6; }
    double cpuMs() const { return (cpuNow() - m_cpu) * 1e3; }

private:
    static double cpuNow()
    {
        timespec now{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
        return double(now.tv_sec) + now.tv_nsec / 1e9;
    }
    QElapsedTimer m_wall;
    double m_cpu = 0;
};

struct Samples {
    std::vector<double> wall, cpu;
    void add(const Stopwatch &watch)
    {
        wall.push_back(watch.wallMs());
        cpu.push_back(watch.cpuMs());
    }
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void printRow(const char *what, const Samples &samples)
{
    std::printf("  %-56s %10.1f %10.1f\n", what, median(samples.wall), median(samples.cpu));
}

void printHeader() { std::printf("  %-56s %10s %10s\n", "", "wall (ms)", "CPU (ms)"); }

const QString kMarker = QStringLiteral("zebra");
const QString kReplacement = QStringLiteral("okapi");

void reportReplaceAll(int reps)
{
    Samples inDialog, bare, floor;
    int characters = 0, replacements = 0, boxes = 0;
    bool agree = true;
    Stopwatch watch;
    for (int rep = 0; rep < reps; ++rep) {
        // Pressed in the dialog, on a shown editing area.
        ShownEditor editor;
        fill(*editor.box->document(), 1000 * 1000, kMarker, 10000);
        QApplication::processEvents();
        const QString before = editor.box->Text();
        characters = int(before.size());
        replacements = int(before.count(kMarker));
        frmFind *dialog = editor.openDialog(kMarker, kReplacement);
        watch.start();
        dialog->cmdReplaceAll->click();
        inDialog.add(watch);
        boxes = editor.messages.shown;

        // The floor: the same text replaced as one string.
        QString text = before;
        watch.start();
        text.replace(kMarker, kReplacement);
        floor.add(watch);
        agree = agree && text == editor.box->Text();

        // The same replacements by the search over a bare document, without a widget.
        QTextDocument document;
        fill(document, 1000 * 1000, kMarker, 10000);
        const TextSearch::CaseRule rule;
        watch.start();
        QTextCursor cursor(&document);
        for (int at = TextSearch::Find(document, kMarker, 0, rule); at >= 0;
             at = TextSearch::Find(document, kMarker, at + int(kReplacement.size()), rule)) {
            cursor.setPosition(at);
            cursor.setPosition(at + int(kMarker.size()), QTextCursor::KeepAnchor);
            cursor.insertText(kReplacement);
        }
        bare.add(watch);
    }
    std::printf("Replace All: %d occurrences in a document of %d characters, %d runs, medians\n",
                replacements, characters, reps);
    printHeader();
    printRow("pressed in the dialog, on a shown editing area", inDialog);
    printRow("the search and the edits alone, on a bare document", bare);
    printRow("QString::replace of the same text (the floor)", floor);
    std::printf("  not-found messages at the end: %d; result equal to the floor's: %s\n\n", boxes,
                agree ? "yes" : "NO");
}

void reportFindNext(int reps)
{
    ShownEditor editor;
    fill(*editor.box->document(), 4 * 1000 * 1000, kMarker, 1);
    QApplication::processEvents();
    const QTextDocument &document = *editor.box->document();
    const int characters = editor.box->TextLength();
    const int expected = int(editor.box->Text().indexOf(kMarker));

    Samples press, pressIgnoringCase, search, searchIgnoringCase, copy;
    frmFind *dialog = editor.openDialog(kMarker, QString());
    Stopwatch watch;
    bool found = true;
    for (int rep = 0; rep < reps; ++rep) {
        for (const bool matchCase : {true, false}) {
            dialog->chkMatch->setChecked(matchCase);
            // Each press that finds the match is followed by one that finds nothing after it and
            // wraps to the top, so every other press searches nearly the whole document.
            watch.start();
            dialog->cmdFindNext->click();
            (matchCase ? press : pressIgnoringCase).add(watch);
            found = found && editor.box->SelStart() == expected;
            dialog->cmdFindNext->click();
        }
        TextSearch::CaseRule rule;
        for (const bool matchCase : {true, false}) {
            rule.matchCase = matchCase;
            watch.start();
            found = found && TextSearch::Find(document, kMarker, 0, rule) == expected;
            (matchCase ? search : searchIgnoringCase).add(watch);
        }
        watch.start();
        found = found && editor.box->Text().indexOf(kMarker) == expected;
        copy.add(watch);
    }
    std::printf("Find Next: one match at character %d of %d, %d presses each way, medians\n",
                expected, characters, reps);
    printHeader();
    printRow("a press, Match case checked", press);
    printRow("a press, Match case unchecked", pressIgnoringCase);
    printRow("the search alone, matching case", search);
    printRow("the search alone, ignoring case", searchIgnoringCase);
    printRow("reading the whole text and searching it (not done)", copy);
    std::printf("  every search found the match: %s\n", found ? "yes" : "NO");
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int reps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const QString only = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (only.isEmpty() || only == QStringLiteral("replace"))
        reportReplaceAll(reps);
    if (only.isEmpty() || only == QStringLiteral("find"))
        reportFindNext(reps * 2 + 1);
    return 0;
}
