#include "app/recovery/RecoveryFolder.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

TEST(RecoveryFolderTest, OnlyCopiesWhoseWriterHasStoppedAreLeftAndTemporaryFilesOfStoppedWritersGo)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const RecoveryFolder folder(dir.path());
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
    QTemporaryDir dir;
    const RecoveryFolder folder(dir.path());
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
