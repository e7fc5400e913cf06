#include "MainWindowFixture.h"

#include "app/recovery/RecoveryKeeper.h"
#include "rtf/files/DocumentFiles.h"
#include "rtf/read/RtfReader.h"
#include "support/FormattedSample.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTextDocument>
#include <QThreadPool>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString kSavePrompt = QStringLiteral("Do you want to save changes to Untitled?");

QString offerFor(const QString &hhmm)
{
    return QStringLiteral("Corvala did not close properly. Do you want to recover the document you were "
                          "editing (saved at %1)?").arg(hhmm);
}

// Copies are written at the first turn of the event loop after a change, unless a test says
// otherwise.
constexpr RecoveryTiming kAtOnce{0, 3600 * 1000};

const QString kFailureReport = QStringLiteral("Corvala cannot keep a recovery copy of your work.");
const QString kTriedAgain = QStringLiteral("Copies will be tried again as you go on editing.");

// Timers that never come due: the test says when a copy is due.
constexpr RecoveryTiming kWhenTold{3600 * 1000, 3600 * 1000};

// The copy's text, or nothing while there is no whole copy.
QString copiedText(const QString &path)
{
    const QByteArray rtf = TestFiles::readBytes(path);
    return rtf.startsWith("{\\rtf") ? documentFromRtf(rtf)->toPlainText() : QString();
}

// The main window with its recovery copies kept in a state folder of the test's own.
class RecoveryTest : public MainWindowTest
{
public:
    void SetUp() override
    {
        ASSERT_TRUE(state.isValid());
        savedStateHome = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
        MainWindowTest::SetUp();
        // Copies wait while the pool's threads work (the spelling dictionary is read on one).
        ASSERT_TRUE(QThreadPool::globalInstance()->waitForDone(30000));
    }
    void TearDown() override { qputenv("XDG_STATE_HOME", savedStateHome); }

    QString folderPath() const { return state.path() + QStringLiteral("/corvala/recovery"); }
    RecoveryFolder folder() const { return RecoveryFolder(folderPath()); }
    QString copyPath() const { return form->Recovery->copyPath(); }

    // Runs an edit and waits until a copy that holds it is in place.
    void editAndWaitForCopy(const std::function<void()> &edit)
    {
        QSignalSpy written(form->Recovery.get(), &RecoveryKeeper::copyWritten);
        edit();
        ASSERT_TRUE(written.wait(20000));
        ASSERT_TRUE(QFile::exists(copyPath()));
    }

    // A copy left by a program that has stopped, holding `rtf`, written `minutesAgo`.
    QString leaveCopy(const QByteArray &rtf, qint64 minutesAgo = 0, quint64 variant = 0)
    {
        QDir().mkpath(folderPath());
        const WriterIdentity self = WriterIdentity::current();
        // This process's number with another start time: a process that had the number before.
        const QString path = folder().copyPath({self.pid, self.startTicks + 1 + variant, self.bootId});
        TestFiles::writeBytes(path, rtf);
        QFile file(path);
        file.open(QIODevice::ReadWrite);
        file.setFileTime(QDateTime::currentDateTime().addSecs(-60 * minutesAgo), QFileDevice::FileModificationTime);
        return path;
    }

    static QString savedAt(const QString &path) { return QFileInfo(path).lastModified().toString(QStringLiteral("HH:mm")); }
    QByteArray documentRtf() const { return rtfFromDocument(*form->txtEdit->document()); }

    QTemporaryDir state;
    QByteArray savedStateHome;
};

TEST_F(RecoveryTest, TheCopyAppearsAfterAnEditAndOpensToTheSameDocument)
{
    form->StartRecovery(kAtOnce);
    EXPECT_FALSE(QFile::exists(copyPath()));
    editAndWaitForCopy([&] {
        fillWithBoldLetterAndPicture(*form->txtEdit, QStringLiteral("B"), Qt::red);
        form->txtEdit->textCursor().insertTable(2, 2);
    });
    EXPECT_EQ(QFileInfo(copyPath()).path(), folderPath());
    // Unsaved documents are their owner's alone to read.
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                                      | QFile::WriteOther | QFile::ExeOther;
    EXPECT_FALSE(QFileInfo(folderPath()).permissions() & others);
    EXPECT_TRUE(messages.shown.isEmpty());

    const QString text = form->txtEdit->Text();
    const QByteArray rtf = documentRtf();
    const QString copy = copyPath() + QStringLiteral(".kept");
    ASSERT_TRUE(QFile::copy(copyPath(), copy));
    dialogs.answerFile(copy, 1);
    form->mnuOpen_Click();
    EXPECT_EQ(form->txtEdit->Text(), text);
    EXPECT_EQ(documentRtf().toStdString(), rtf.toStdString());
}

TEST_F(RecoveryTest, TheCopyGoesAwayWhenTheDocumentIsSavedReplacedOrTheProgramEnds)
{
    writeFile(path("letter.rtf"), "{\\rtf1 letter}");
    const struct {
        const char *name;
        std::function<void(RecoveryTest &)> action;
    } cases[] = {
        {"Save As", [](RecoveryTest &t) {
             t.dialogs.answerFile(t.path("saved.rtf"), 1);
             t.form->mnuSaveAs_Click();
         }},
        {"Save As plain text", [](RecoveryTest &t) {
             t.dialogs.answerFile(t.path("saved.txt"), 2);
             t.form->mnuSaveAs_Click();
         }},
        {"New", [](RecoveryTest &t) {
             t.messages.answers = {vbYes};
             t.form->mnuNew_Click();
         }},
        {"Open", [](RecoveryTest &t) {
             t.messages.answers = {vbNo}; // don't save the draft first
             t.dialogs.answerFile(t.path("letter.rtf"), 1);
             t.form->mnuOpen_Click();
         }},
        {"Exit without saving", [](RecoveryTest &t) {
             t.messages.answers = {vbNo};
             t.form->mnuExit_Click();
         }},
        {"Exit after saving", [](RecoveryTest &t) {
             t.messages.answers = {vbYes};
             t.dialogs.answerFile(t.path("saved on exit.rtf"), 1);
             t.form->mnuExit_Click();
         }},
    };
    for (const auto &c : cases) {
        start();
        form->StartRecovery(kAtOnce);
        editAndWaitForCopy([&] { type("draft"); });
        c.action(*this);
        EXPECT_FALSE(QFile::exists(copyPath())) << c.name;
        EXPECT_TRUE(QDir(folderPath()).isEmpty()) << c.name;
        // Nothing comes back by itself: the next copy waits for the next change.
        QCoreApplication::processEvents();
        EXPECT_FALSE(QFile::exists(copyPath())) << c.name;
    }
}

// The failing paths a save or a cancelled command take leave the copy as it was.
TEST_F(RecoveryTest, TheCopyStaysWhenNothingWasSaved)
{
    form->StartRecovery(kAtOnce);
    editAndWaitForCopy([&] { type("draft"); });
    dialogs.cancelFile();
    form->mnuSaveAs_Click();
    dialogs.answerFile(path("no-such-folder/draft.rtf"), 1);
    form->mnuSaveAs_Click();
    messages.answers = {vbNo};
    form->mnuNew_Click();
    messages.answers = {vbNo}; // Open goes on without saving, to a file that isn't there
    dialogs.answerFile(path("missing.rtf"), 1);
    form->mnuOpen_Click();
    EXPECT_TRUE(QFile::exists(copyPath()));
}

TEST_F(RecoveryTest, ALongEditWithoutAPauseStillGetsACopy)
{
    form->StartRecovery({3600 * 1000, 0});
    editAndWaitForCopy([&] { type("no pause"); });
}

TEST_F(RecoveryTest, ChangesMadeWhileACopyIsWrittenReachTheNextCopy)
{
    form->StartRecovery(kWhenTold);
    type("a");
    form->Recovery->writeDueCopy();
    type("b");
    // The first copy is still being written (its end is learnt from the event loop).
    ASSERT_TRUE(form->Recovery->writing());
    form->Recovery->writeDueCopy();
    EXPECT_TRUE(QTest::qWaitFor([&] { return copiedText(copyPath()) == QStringLiteral("ab"); }, 20000))
        << copiedText(copyPath()).toStdString();
}

TEST_F(RecoveryTest, ACopyLeftByAStoppedProgramIsOfferedAndYesRecoversItAsAChangedDocument)
{
    fillWithBoldLetterAndPicture(*form->txtEdit, QStringLiteral("B"), Qt::blue);
    const QByteArray rtf = documentRtf();
    const QString text = form->txtEdit->Text();
    start(); // a fresh start, with an empty document
    const QString left = leaveCopy(rtf, 90);
    const QString offer = offerFor(savedAt(left));
    messages.answers = {vbYes};

    EXPECT_TRUE(form->StartRecovery(kAtOnce));

    ASSERT_EQ(promptsShown().join('\n').toStdString(), offer.toStdString());
    EXPECT_EQ(messages.shown[0].style, vbYesNo);
    EXPECT_EQ(form->txtEdit->Text(), text);
    EXPECT_EQ(documentRtf(), rtf);
    EXPECT_TRUE(form->IsModified());
    // The copy is now this window's own: not offered again while it runs.
    EXPECT_FALSE(QFile::exists(left));
    EXPECT_EQ(TestFiles::readBytes(copyPath()), rtf);
    EXPECT_TRUE(folder().leftCopies().isEmpty());

    messages.answers = {ScriptedMessageBox::dismissed};
    EXPECT_FALSE(closeWindow());
    EXPECT_EQ(promptsShown().last().toStdString(), kSavePrompt.toStdString());
}

TEST_F(RecoveryTest, ACopyOfARunningProgramIsNotOffered)
{
    QProcess running;
    running.start(QStringLiteral("sleep"), {QStringLiteral("600")});
    ASSERT_TRUE(running.waitForStarted());
    const auto writer = WriterIdentity::ofProcess(running.processId());
    ASSERT_TRUE(writer);
    QDir().mkpath(folderPath());
    TestFiles::writeBytes(folder().copyPath(*writer), "{\\rtf1 in use}");

    EXPECT_FALSE(form->StartRecovery(kAtOnce));
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(QFile::exists(folder().copyPath(*writer)));
    running.kill();
    running.waitForFinished();
}

// Nothing is deleted by one key: No asks again, and only Yes to that deletes.
TEST_F(RecoveryTest, AnOfferedCopyIsDeletedOnlyAfterASecondYes)
{
    const struct {
        QList<int> answers;
        int questions;
        bool kept;
    } cases[] = {
        {{vbNo, vbYes}, 2, false},
        {{vbNo, vbNo}, 2, true},
        {{vbNo, ScriptedMessageBox::dismissed}, 2, true},
        {{ScriptedMessageBox::dismissed}, 1, true},
    };
    for (const auto &c : cases) {
        start();
        messages.shown.clear();
        const QString left = leaveCopy("{\\rtf1 left}");
        messages.answers = c.answers;
        EXPECT_FALSE(form->StartRecovery(kAtOnce));
        EXPECT_EQ(messages.shown.size(), c.questions) << c.answers.first();
        EXPECT_EQ(QFile::exists(left), c.kept) << c.answers.first();
        EXPECT_TRUE(form->txtEdit->Text().isEmpty());
        EXPECT_FALSE(form->IsModified());
        QFile::remove(left);
    }
}

TEST_F(RecoveryTest, OlderCopiesAreOfferedOneAfterAnother)
{
    const QString older = leaveCopy("{\\rtf1 older}", 120, 0);
    const QString newer = leaveCopy("{\\rtf1 newer}", 60, 1);
    const QString offers = offerFor(savedAt(newer)) + QLatin1Char('\n') + offerFor(savedAt(older));
    messages.answers = {ScriptedMessageBox::dismissed, vbYes};

    EXPECT_TRUE(form->StartRecovery(kAtOnce));

    EXPECT_EQ(promptsShown().join('\n').toStdString(), offers.toStdString());
    EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("older"));
    EXPECT_TRUE(QFile::exists(newer));
}

TEST_F(RecoveryTest, ACopyThatCantBeReadIsReportedAndKept)
{
    form->txtEdit->setText(QStringLiteral("as it was"));
    const QString left = leaveCopy("PK\x03\x04 not a document");
    messages.answers = {vbYes};
    EXPECT_FALSE(form->StartRecovery(kAtOnce));
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_TRUE(messages.shown[1].prompt.startsWith(
        QStringLiteral("The document saved at %1 cannot be recovered.").arg(savedAt(left))));
    EXPECT_TRUE(messages.shown[1].prompt.contains(QDir::toNativeSeparators(left)));
    EXPECT_TRUE(QFileInfo::exists(left));
    EXPECT_EQ(form->txtEdit->Text(), QStringLiteral("as it was"));
}

// A link planted in the folder, under the name of a copy left behind or under this program's
// own copy name (which anyone can work out), is never offered, read, adopted or written
// through: the files it points to stay as they were.
TEST_F(RecoveryTest, PlantedLinksAreNeverOfferedNorWrittenThrough)
{
    writeFile(path("letter.rtf"), "{\\rtf1 the user's letter}");
    writeFile(path("notes.rtf"), "{\\rtf1 the user's notes}");
    const QString left = leaveCopy("");
    QFile::remove(left);
    ASSERT_TRUE(QFile::link(path("letter.rtf"), left));
    ASSERT_TRUE(QFile::link(path("notes.rtf"), folder().copyPath(WriterIdentity::current())));
    messages.answers = {vbYes};

    EXPECT_FALSE(form->StartRecovery(kAtOnce));
    EXPECT_TRUE(messages.shown.isEmpty());
    editAndWaitForCopy([&] { type("unsaved"); });

    EXPECT_EQ(TestFiles::readBytes(path("letter.rtf")), "{\\rtf1 the user's letter}");
    EXPECT_EQ(TestFiles::readBytes(path("notes.rtf")), "{\\rtf1 the user's notes}");
    EXPECT_FALSE(QFileInfo(copyPath()).isSymLink());
    EXPECT_EQ(documentFromRtf(TestFiles::readBytes(copyPath()))->toPlainText(), QStringLiteral("unsaved"));
    EXPECT_EQ(TestFiles::modeOf(copyPath()), 0600);
}

// Folders another program (or an earlier version) left open to everyone are closed as the
// program starts, before any copy is offered or written.
TEST_F(RecoveryTest, FoldersOpenToEveryoneAreMadeTheUsersAloneAndSoAreTheCopies)
{
    const QString left = leaveCopy("{\\rtf1 left}");
    const QString program = QFileInfo(folderPath()).path();
    for (const QString &folder : {program, folderPath()})
        ASSERT_TRUE(QFile::setPermissions(folder, QFile::Permissions::fromInt(0x7777)));
    ASSERT_EQ(TestFiles::modeOf(folderPath()), 0777);
    messages.answers = {ScriptedMessageBox::dismissed};

    EXPECT_FALSE(form->StartRecovery(kAtOnce));
    EXPECT_EQ(messages.shown.size(), 1); // the left copy is still offered: the folder is now safe
    EXPECT_EQ(TestFiles::modeOf(program), 0700);
    EXPECT_EQ(TestFiles::modeOf(folderPath()), 0700);
    editAndWaitForCopy([&] { type("unsaved"); });
    EXPECT_EQ(TestFiles::modeOf(copyPath()), 0600);
}

// Copies that can't be written give one message for the run; the editing goes on, and the
// next change tries again. What fails here fails for every user, root included.
TEST_F(RecoveryTest, ACopyThatCantBeWrittenGivesOneMessageAndTheNextChangeTriesAgain)
{
    const struct {
        const char *name;
        std::function<void(RecoveryTest &)> block;
        std::function<void(RecoveryTest &)> unblock;
    } cases[] = {
        {"a file where the state folder should be",
         [](RecoveryTest &t) { TestFiles::writeBytes(t.state.filePath(QStringLiteral("corvala")), "in the way"); },
         [](RecoveryTest &t) { QFile::remove(t.state.filePath(QStringLiteral("corvala"))); }},
        {"a folder where the copy should be", [](RecoveryTest &t) { QDir().mkpath(t.copyPath()); },
         [](RecoveryTest &t) { QDir(t.copyPath()).removeRecursively(); }},
        {"a link to a shared folder in place of the folder of copies",
         [](RecoveryTest &t) {
             QDir().mkpath(t.path("shared"));
             QDir(t.folderPath()).removeRecursively();
             QDir().mkpath(QFileInfo(t.folderPath()).path());
             QFile::link(t.path("shared"), t.folderPath());
         },
         [](RecoveryTest &t) {
             QFile::remove(t.folderPath());
             QDir().mkpath(t.folderPath());
         }},
    };
    for (const auto &c : cases) {
        QDir(state.path()).removeRecursively();
        QDir().mkpath(state.path());
        start();
        messages.shown.clear();
        form->StartRecovery(kAtOnce);
        c.block(*this);
        type("first");
        ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.shown.isEmpty(); }, 20000)) << c.name;
        EXPECT_TRUE(messages.shown[0].prompt.startsWith(kFailureReport)) << c.name;
        EXPECT_TRUE(messages.shown[0].prompt.endsWith(kTriedAgain)) << c.name;
        c.unblock(*this);
        editAndWaitForCopy([&] { type(" second"); });
        EXPECT_EQ(copiedText(copyPath()), QStringLiteral("first second")) << c.name;
        EXPECT_EQ(messages.shown.size(), 1) << c.name;
    }
}

// The system may kill the writing process (it is as large as the window, and the first the
// out-of-memory killer picks), or its alarm stop it: that copy is lost, not the next ones.
TEST_F(RecoveryTest, ACopyWhoseWriterWasKilledIsWrittenAgainAtTheNextChange)
{
    form->StartRecovery(kWhenTold);
    type("first");
    {
        // The writer inherits a limit of one byte to any file it writes: its first write kills
        // it (SIGXFSZ), deterministically, before any copy is in place.
        rlimit fileSize{}, core{};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &fileSize), 0);
        ASSERT_EQ(::getrlimit(RLIMIT_CORE, &core), 0);
        const rlimit oneByte{1, fileSize.rlim_max}, noCore{0, core.rlim_max};
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &oneByte), 0);
        ::setrlimit(RLIMIT_CORE, &noCore);
        form->Recovery->writeDueCopy();
        const bool started = form->Recovery->writing();
        ::setrlimit(RLIMIT_FSIZE, &fileSize);
        ::setrlimit(RLIMIT_CORE, &core);
        ASSERT_TRUE(started);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.shown.isEmpty(); }, 20000));
    EXPECT_TRUE(messages.shown[0].prompt.contains(QStringLiteral("signal %1").arg(SIGXFSZ)))
        << messages.shown[0].prompt.toStdString();
    EXPECT_FALSE(QFile::exists(copyPath()));
    // Without a change nothing is tried; the next change writes a copy that holds both.
    form->Recovery->writeDueCopy();
    EXPECT_FALSE(form->Recovery->writing());
    editAndWaitForCopy([&] {
        type(" second");
        form->Recovery->writeDueCopy();
    });
    EXPECT_EQ(copiedText(copyPath()), QStringLiteral("first second"));
    EXPECT_EQ(messages.shown.size(), 1);
}

// A copy that fails again and again (a disk that stays full) is tried after a pause that grows,
// not at every change.
TEST_F(RecoveryTest, FailuresInARowHoldTheNextTryBack)
{
    RecoveryTiming timing = kWhenTold;
    timing.retryMs = 3600 * 1000;
    form->StartRecovery(timing);
    QDir().mkpath(copyPath()); // a folder where the copy should be
    const struct {
        const char *change;
        bool tried;
    } steps[] = {
        {"a", true},  // the first copy fails
        {"b", true},  // the next change tries again, and fails again
        {"c", false}, // the pause after two failures holds it back
        {"d", false},
    };
    for (const auto &step : steps) {
        type(step.change);
        form->Recovery->writeDueCopy();
        EXPECT_EQ(form->Recovery->writing(), step.tried) << step.change;
        ASSERT_TRUE(QTest::qWaitFor([&] { return !form->Recovery->writing(); }, 20000)) << step.change;
    }
    EXPECT_EQ(messages.shown.size(), 1);
}

// No copy starts while the program's pool threads work (the spelling dictionary is read on
// one): the child forked for it would inherit their locks held.
TEST_F(RecoveryTest, ACopyWaitsForThePoolThreadsToBeIdle)
{
    form->StartRecovery(kWhenTold);
    ASSERT_TRUE(QThreadPool::globalInstance()->waitForDone(20000));
    QSemaphore release;
    QThreadPool::globalInstance()->start([&release] { release.acquire(); });
    type("while a task runs");
    form->Recovery->writeDueCopy();
    EXPECT_FALSE(form->Recovery->writing());
    QCoreApplication::processEvents();
    EXPECT_FALSE(QFile::exists(copyPath()));
    editAndWaitForCopy([&] { release.release(); });
    EXPECT_EQ(copiedText(copyPath()), QStringLiteral("while a task runs"));
}

// The program is told to stop while it has unsaved changes: a child process started as the
// program starts, with a change no copy holds yet, is sent the signal. When its window's thread
// is busy for ever (a paste of minutes), the program still ends, with the last copy written.
TEST_F(RecoveryTest, AStopSignalLeavesACopyThatTheNextStartOffers)
{
    const struct {
        int signal;
        const char *mode;
        QString copied;
    } cases[] = {
        {SIGTERM, "", QStringLiteral("typed before the signal")},
        {SIGHUP, "", QStringLiteral("typed before the signal")},
        {SIGTERM, "busy", QStringLiteral("typed before the signal")},
        {SIGHUP, "busy", QStringLiteral("typed before the signal")},
    };
    for (const auto &c : cases) {
        const std::string name = std::to_string(c.signal) + c.mode;
        QDir(folderPath()).removeRecursively();
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_STATE_HOME"), state.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(environment);
        child.start(QStringLiteral(CORVALA_STOP_SIGNAL_CHILD),
                    {QStringLiteral("typed before the signal"), QString::fromLatin1(c.mode)});
        ASSERT_TRUE(child.waitForStarted());
        while (!child.readAllStandardOutput().contains("edited"))
            ASSERT_TRUE(child.waitForReadyRead(30000)) << name;
        ::kill(pid_t(child.processId()), c.signal);
        ASSERT_TRUE(child.waitForFinished(30000)) << name;
        EXPECT_EQ(child.exitStatus(), QProcess::CrashExit) << name;
        EXPECT_EQ(child.exitCode(), c.signal) << name;

        const QList<LeftCopy> left = folder().leftCopies();
        ASSERT_EQ(left.size(), 1) << name;
        EXPECT_EQ(copiedText(left[0].path), c.copied) << name;
    }
}

} // namespace
