#include "app/recovery/CopyFiles.h"
#include "app/recovery/RecoveryFolder.h"
#include "base/Failure.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// A process that runs for the test's length: a writer that is still there.
struct RunningProcess
{
    QProcess process;
    RunningProcess()
    {
        process.start(QStringLiteral("sleep"), {QStringLiteral("600")});
        process.waitForStarted();
    }
    ~RunningProcess()
    {
        process.kill();
        process.waitForFinished();
    }
};

// A process that has ended, and been reaped: a writer that is gone.
qint64 endedProcess()
{
    QProcess process;
    process.start(QStringLiteral("true"), {});
    process.waitForFinished();
    return process.processId();
}

// A state folder of the test's own, with the program's folder and its folder of copies in it.
struct StateFolder
{
    QTemporaryDir state;
    QString program() const { return state.filePath(QStringLiteral("corvala")); }
    QString path() const { return state.filePath(QStringLiteral("corvala/recovery")); }
    QString filePath(const QString &name) const { return path() + QLatin1Char('/') + name; }
    RecoveryFolder folder() const { return RecoveryFolder(path()); }
    // Makes the folders as another program (or a careless hand) may have left them.
    void make(mode_t mode = 0700) const
    {
        ASSERT_TRUE(QDir().mkpath(path()));
        ASSERT_EQ(::chmod(QFile::encodeName(program()).constData(), mode), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(path()).constData(), mode), 0);
    }
    // A folder "shared" open to everyone, with `inside` in it; its path.
    QString sharedFolder(const QString &inside) const
    {
        const QString shared = state.filePath(QStringLiteral("shared"));
        QDir().mkpath(shared + QLatin1Char('/') + inside);
        ::chmod(QFile::encodeName(shared).constData(), 0777);
        return shared;
    }
};

TEST(RecoveryFolderTest, OnlyCopiesWhoseWriterHasStoppedAreLeftAndTemporaryFilesOfStoppedWritersGo)
{
    StateFolder dir;
    dir.make();
    const RecoveryFolder folder = dir.folder();
    RunningProcess running;
    const auto runningWriter = WriterIdentity::ofProcess(running.process.processId());
    ASSERT_TRUE(runningWriter);
    const WriterIdentity self = WriterIdentity::current();
    ASSERT_NE(self.startTicks, 0u);
    WriterIdentity reusedNumber = self; // the same process number, given to another process
    reusedNumber.startTicks += 1;
    WriterIdentity otherBoot = self;
    otherBoot.bootId = QStringLiteral("0123abcd-0000-0000-0000-000000000000");
    const WriterIdentity gone{endedProcess(), self.startTicks, self.bootId};

    const struct {
        QString name;
        bool left;  // offered as a left copy
        bool stays; // still in the folder after the search
    } cases[] = {
        {QFileInfo(folder.copyPath(self)).fileName(), false, true},
        {QFileInfo(folder.copyPath(*runningWriter)).fileName(), false, true},
        {QFileInfo(folder.copyPath(reusedNumber)).fileName(), true, true},
        {QFileInfo(folder.copyPath(otherBoot)).fileName(), true, true},
        {QFileInfo(folder.copyPath(gone)).fileName(), true, true},
        {QFileInfo(folder.copyPath(gone)).fileName() + QStringLiteral(".Xa81Qz"), false, false},
        {QFileInfo(folder.copyPath(*runningWriter)).fileName() + QStringLiteral(".Xa81Qz"), false, true},
        {QStringLiteral("notes.rtf"), false, true},
        {QStringLiteral("copy-12-34.rtf"), false, true},
    };
    for (const auto &c : cases)
        TestFiles::writeBytes(dir.filePath(c.name), "{\\rtf1 x}");

    QStringList left;
    for (const LeftCopy &copy : folder.leftCopies())
        left << QFileInfo(copy.path).fileName();
    for (const auto &c : cases) {
        EXPECT_EQ(left.contains(c.name), c.left) << c.name.toStdString();
        EXPECT_EQ(QFile::exists(dir.filePath(c.name)), c.stays) << c.name.toStdString();
    }
}

TEST(RecoveryFolderTest, LeftCopiesComeNewestFirstWithTheTimeTheyWereWritten)
{
    StateFolder dir;
    dir.make();
    const RecoveryFolder folder = dir.folder();
    const WriterIdentity self = WriterIdentity::current();
    const QDateTime now = QDateTime::currentDateTime();
    const int agesInMinutes[] = {30, 5, 120};
    for (int i = 0; i < 3; ++i) {
        const QString path = folder.copyPath({self.pid, self.startTicks + 1 + i, self.bootId});
        TestFiles::writeBytes(path, "{\\rtf1 x}");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(now.addSecs(-60 * agesInMinutes[i]), QFileDevice::FileModificationTime));
    }
    const QList<LeftCopy> left = folder.leftCopies();
    ASSERT_EQ(left.size(), 3);
    const int expectedOrder[] = {1, 0, 2};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(left[i].path, folder.copyPath({self.pid, self.startTicks + 1 + expectedOrder[i], self.bootId}));
        EXPECT_EQ(left[i].savedAt.secsTo(now), 60 * agesInMinutes[expectedOrder[i]]);
    }
}

// The name of a copy whose writer is gone (this process's number, with another start).
QString goneCopy(const RecoveryFolder &folder, quint64 variant = 0)
{
    const WriterIdentity self = WriterIdentity::current();
    return folder.copyPath({self.pid, self.startTicks + 1 + variant, self.bootId});
}

QStringList leftNames(const RecoveryFolder &folder)
{
    QStringList names;
    for (const LeftCopy &copy : folder.leftCopies())
        names << QFileInfo(copy.path).fileName();
    return names;
}

// Whatever state the folders were left in, they end the user's alone: made so, or found so.
TEST(RecoveryFolderTest, TheFoldersAreMadeTheUsersAlone)
{
    const struct {
        const char *name;
        mode_t program, recovery; // 0: missing
        bool bySearch;            // made so by the search for left copies, before any copy is written
    } cases[] = {
        {"missing", 0, 0, false},
        {"open to everyone", 0777, 0777, false},
        {"readable by everyone", 0755, 0755, false},
        {"only the copies' folder open", 0700, 0777, false},
        {"only the program's folder open", 0777, 0700, false},
        {"open to everyone, found by the search", 0777, 0777, true},
    };
    for (const auto &c : cases) {
        StateFolder dir;
        if (c.program) {
            dir.make();
            ::chmod(QFile::encodeName(dir.program()).constData(), c.program);
            ::chmod(QFile::encodeName(dir.path()).constData(), c.recovery);
        }
        QString reason;
        if (c.bySearch)
            EXPECT_TRUE(dir.folder().leftCopies().isEmpty()) << c.name;
        else
            EXPECT_TRUE(dir.folder().make(&reason)) << c.name << ": " << reason.toStdString();
        EXPECT_EQ(TestFiles::modeOf(dir.program()), 0700) << c.name;
        EXPECT_EQ(TestFiles::modeOf(dir.path()), 0700) << c.name;
    }
}

// A folder that can't be made the user's alone is neither used nor changed, and its copies are
// not offered: whoever could write in it may have put them there.
TEST(RecoveryFolderTest, FoldersThatCantBeMadeTheUsersAloneAreRefusedWithTheReason)
{
    const struct {
        const char *name;
        std::function<void(const StateFolder &)> leave;
        std::function<QString(const StateFolder &)> reason;
        const char *untouched; // what the refusal leaves as it was
    } cases[] = {
        {"the copies' folder is a link to a shared folder",
         [](const StateFolder &dir) {
             QDir().mkpath(dir.program());
             QFile::link(dir.sharedFolder(QString()), dir.path());
         },
         [](const StateFolder &dir) { return dir.path() + QStringLiteral(" is a link, not a folder."); }, "shared"},
        {"the program's folder is a link",
         [](const StateFolder &dir) { QFile::link(dir.sharedFolder(QStringLiteral("recovery")), dir.program()); },
         [](const StateFolder &dir) { return dir.program() + QStringLiteral(" is a link, not a folder."); }, "shared"},
        {"the copies' folder is a file",
         [](const StateFolder &dir) {
             QDir().mkpath(dir.program());
             TestFiles::writeBytes(dir.path(), "in the way");
         },
         [](const StateFolder &dir) { return dir.path() + QStringLiteral(" is not a folder."); }, "corvala/recovery"},
        {"the program's folder is shared, as /tmp is",
         [](const StateFolder &dir) {
             dir.make();
             ::chmod(QFile::encodeName(dir.program()).constData(), 01777);
         },
         [](const StateFolder &dir) {
             return QStringLiteral("The folder %1 is shared with other users.").arg(dir.program());
         }, "corvala"},
    };
    for (const auto &c : cases) {
        StateFolder dir;
        c.leave(dir);
        const QString untouched = dir.state.filePath(QString::fromUtf8(c.untouched));
        if (QFileInfo(dir.path()).isDir())
            TestFiles::writeBytes(goneCopy(dir.folder()), "{\\rtf1 planted}");
        const int untouchedMode = TestFiles::modeOf(untouched);

        QString reason;
        EXPECT_FALSE(dir.folder().make(&reason)) << c.name;
        EXPECT_EQ(reason.toStdString(), c.reason(dir).toStdString()) << c.name;
        EXPECT_TRUE(dir.folder().leftCopies().isEmpty()) << c.name;
        EXPECT_EQ(TestFiles::modeOf(untouched), untouchedMode) << c.name;
    }
}

TEST(RecoveryFolderTest, AnotherUsersFolderOrCopyIsRefused)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a file to another user, to see it refused";
    for (const bool program : {true, false}) {
        StateFolder dir;
        dir.make();
        TestFiles::writeBytes(goneCopy(dir.folder()), "{\\rtf1 planted}");
        const QString theirs = program ? dir.program() : dir.path();
        ASSERT_TRUE(TestFiles::giveToAnotherUser(theirs));
        QString reason;
        EXPECT_FALSE(dir.folder().make(&reason)) << theirs.toStdString();
        EXPECT_EQ(reason, QStringLiteral("The folder %1 belongs to another user.").arg(theirs));
        EXPECT_TRUE(dir.folder().leftCopies().isEmpty()) << theirs.toStdString();
    }
    StateFolder dir;
    dir.make();
    const QString copy = goneCopy(dir.folder());
    TestFiles::writeBytes(copy, "{\\rtf1 theirs}");
    ASSERT_TRUE(TestFiles::giveToAnotherUser(copy));
    EXPECT_TRUE(dir.folder().leftCopies().isEmpty());
    EXPECT_FALSE(CopyFiles::renameOwnFile(copy, copy + QStringLiteral("-moved")));
}

// Only a regular file of the user's own is offered: a link planted under a copy's name would
// show, adopt and then overwrite whatever it points to.
TEST(RecoveryFolderTest, OnlyTheUsersOwnFilesAreOfferedAsCopies)
{
    StateFolder dir;
    dir.make();
    const RecoveryFolder folder = dir.folder();
    const QString usersFile = dir.state.filePath(QStringLiteral("letter.rtf"));
    TestFiles::writeBytes(usersFile, "{\\rtf1 the user's letter}");

    const struct {
        const char *name;
        std::function<void(const QString &)> leave;
        bool offered;
    } cases[] = {
        {"a copy", [](const QString &path) { TestFiles::writeBytes(path, "{\\rtf1 copy}"); }, true},
        {"a link to the user's file", [&](const QString &path) { QFile::link(usersFile, path); }, false},
        {"a link to a folder", [&](const QString &path) { QFile::link(dir.state.path(), path); }, false},
        {"a folder", [](const QString &path) { QDir().mkpath(path); }, false},
        {"a named pipe", [](const QString &path) { TestFiles::makeFifo(path); }, false},
    };
    for (const auto &c : cases) {
        QDir(dir.path()).removeRecursively();
        dir.make();
        const QString copy = goneCopy(folder);
        c.leave(copy);
        EXPECT_EQ(leftNames(folder), c.offered ? QStringList{QFileInfo(copy).fileName()} : QStringList()) << c.name;
        EXPECT_EQ(CopyFiles::renameOwnFile(copy, copy + QStringLiteral("-moved")), c.offered) << c.name;
        EXPECT_EQ(TestFiles::readBytes(usersFile), "{\\rtf1 the user's letter}") << c.name;
    }
}

// Each copy is written to a new file of its own and renamed into place: a link planted under
// the copy's name, which anyone can foresee, is replaced and never written through.
TEST(CopyFilesTest, ACopyReplacesALinkUnderItsNameAndIsTheUsersAlone)
{
    StateFolder dir;
    dir.make();
    const QString usersFile = dir.state.filePath(QStringLiteral("letter.rtf"));
    TestFiles::writeBytes(usersFile, "the user's letter");
    const QString copy = dir.filePath(QStringLiteral("copy-1-2-3.rtf"));
    const struct {
        const char *name;
        std::function<void()> leave;
        mode_t umask;
    } cases[] = {
        {"nothing", [] {}, 022},
        {"an older copy", [&] { TestFiles::writeBytes(copy, "older"); }, 022},
        {"a link to the user's file", [&] { QFile::link(usersFile, copy); }, 022},
        {"a link to a missing file", [&] { QFile::link(dir.state.filePath(QStringLiteral("new.rtf")), copy); }, 022},
        {"nothing, with no umask", [] {}, 0},
    };
    for (const auto &c : cases) {
        QFile::remove(copy);
        c.leave();
        const mode_t savedUmask = ::umask(c.umask);
        CopyFiles::write(copy, "the copy");
        ::umask(savedUmask);
        EXPECT_EQ(TestFiles::readBytes(usersFile), "the user's letter") << c.name;
        EXPECT_FALSE(QFile::exists(dir.state.filePath(QStringLiteral("new.rtf")))) << c.name;
        EXPECT_EQ(TestFiles::modeOf(copy), 0600) << c.name;
        EXPECT_FALSE(QFileInfo(copy).isSymLink()) << c.name;
        EXPECT_EQ(TestFiles::readBytes(copy), "the copy") << c.name;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                  QStringList{QFileInfo(copy).fileName()}) << c.name;
    }
}

TEST(CopyFilesTest, AFailedWriteLeavesNothingBehind)
{
    StateFolder dir;
    dir.make();
    const QString copy = dir.filePath(QStringLiteral("copy-1-2-3.rtf"));
    QDir().mkpath(copy);
    const struct {
        QString path;
        const char *reason;
    } cases[] = {
        {copy, "Is a directory"},
        {dir.filePath(QStringLiteral("missing/copy-1-2-3.rtf")), "No such file or directory"},
    };
    for (const auto &c : cases) {
        QString reason;
        try {
            CopyFiles::write(c.path, "the copy");
        } catch (const Failure &failure) {
            reason = failure.description();
        }
        EXPECT_EQ(reason.toStdString(), c.reason) << c.path.toStdString();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                  QStringList{QFileInfo(copy).fileName()}) << c.path.toStdString();
    }
}

TEST(RecoveryFolderTest, TheFolderIsUnderTheStateHomeWhenItIsAnAbsolutePath)
{
    const QByteArray saved = qgetenv("XDG_STATE_HOME");
    const QString home = QDir::homePath() + QStringLiteral("/.local/state/corvala/recovery");
    const struct {
        QByteArray stateHome;
        QString folder;
    } cases[] = {
        {"/var/tmp/state", QStringLiteral("/var/tmp/state/corvala/recovery")},
        {"/var/tmp/state/", QStringLiteral("/var/tmp/state/corvala/recovery")},
        {"", home},
        {"relative/state", home},
    };
    for (const auto &c : cases) {
        qputenv("XDG_STATE_HOME", c.stateHome);
        EXPECT_EQ(RecoveryFolder::defaultPath(), c.folder) << c.stateHome.constData();
    }
    qputenv("XDG_STATE_HOME", saved);
}

} // namespace
