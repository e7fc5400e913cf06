// Loading and saving whole files: the format follows the file type, failures say why, and a
// failed save leaves the old file as it was.
#include "WriterTestDocuments.h"
#include "support/FileSizeLimit.h"
#include "support/TestFiles.h"

#include "base/Failure.h"
#include "rtf/files/DocumentFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <gtest/gtest.h>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

QByteArray contentsOf(const QString &path) { return TestFiles::readBytes(path); }
void writeFile(const QString &path, const QByteArray &bytes) { TestFiles::writeBytes(path, bytes); }

QString failureOf(const std::function<void()> &operation)
{
    try {
        operation();
    } catch (const Failure &failure) {
        return failure.description();
    }
    return QStringLiteral("<no failure>");
}

bool runningAsRoot() { return geteuid() == 0; }

class DocumentFiles : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
    std::unique_ptr<QTextDocument> m_document = makeDocument({{{{QStringLiteral("Hello")}}}});
};

TEST_F(DocumentFiles, FormatFollowsTheFileTypeNotTheName)
{
    saveDocument(*m_document, path("rich.txt"), rtfRTF);
    saveDocument(*m_document, path("plain.rtf"), rtfText);
    EXPECT_TRUE(contentsOf(path("rich.txt")).startsWith("{\\rtf1"));
    EXPECT_EQ(contentsOf(path("plain.rtf")), "Hello");
}

TEST_F(DocumentFiles, SavingReplacesAnExistingFile)
{
    writeFile(path("old.txt"), "old contents, longer than the new");
    saveDocument(*m_document, path("old.txt"), rtfText);
    EXPECT_EQ(contentsOf(path("old.txt")), "Hello");
}

TEST_F(DocumentFiles, LoadsPlainText)
{
    writeFile(path("a.txt"), "\xef\xbb\xbfone\ntwo");
    EXPECT_EQ(loadDocument(path("a.txt"), rtfText)->toRawText(), QStringLiteral("one\u2029two"));
}

TEST_F(DocumentFiles, LoadFailuresNameTheReason)
{
    QDir(m_dir.path()).mkdir(QStringLiteral("folder"));
    EXPECT_EQ(failureOf([&] { loadDocument(path("missing.rtf"), rtfRTF); }), QStringLiteral("File not found"));
    EXPECT_EQ(failureOf([&] { loadDocument(QString(), rtfRTF); }), QStringLiteral("File not found"));
    EXPECT_EQ(failureOf([&] { loadDocument(path("folder"), rtfText); }), QStringLiteral("Is a directory"));
}

// Open never waits on a pipe nor reads a device: each is refused at once, by what it is.
TEST_F(DocumentFiles, OnlyFilesAreReadAndAnythingElseIsRefusedAtOnce)
{
    TestFiles::makeFifo(path("pipe.rtf"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path("zero.rtf")));
    ASSERT_TRUE(QFile::link(path("pipe.rtf"), path("link to pipe.rtf")));
    const int socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    const QByteArray socketName = QFile::encodeName(path("socket.rtf"));
    ASSERT_LT(size_t(socketName.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, socketName.constData(), size_t(socketName.size()));
    ASSERT_EQ(::bind(socketFd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    writeFile(path("letter.txt"), "a letter");
    ASSERT_TRUE(QFile::link(path("letter.txt"), path("link to letter.txt")));

    const struct {
        QString path;
        const char *failure;
    } cases[] = {
        {path("pipe.rtf"), "pipe.rtf is not a file: it is a named pipe."},
        {path("link to pipe.rtf"), "link to pipe.rtf is not a file: it is a named pipe."},
        {path("zero.rtf"), "zero.rtf is not a file: it is a device."},
        {QStringLiteral("/dev/null"), "null is not a file: it is a device."},
        {path("socket.rtf"), "socket.rtf is not a file: it is a socket."},
        {path("link to letter.txt"), "<no failure>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(failureOf([&] { loadDocument(c.path, rtfText); }).toStdString(), c.failure) << c.path.toStdString();
    ::close(socketFd);
}

// A command-line tool reads a pipe to its end, as it reads any input.
TEST_F(DocumentFiles, PipesAreReadWhenAskedFor)
{
    TestFiles::makeFifo(path("pipe.rtf"));
    std::thread writer([&] { writeFile(path("pipe.rtf"), "{\\rtf1 piped}"); });
    const std::unique_ptr<QTextDocument> document = loadDocument(path("pipe.rtf"), rtfRTF, ReadableKinds::PipesToo);
    writer.join();
    EXPECT_EQ(document->toPlainText(), QStringLiteral("piped"));
}

TEST_F(DocumentFiles, RefusesAFileTooLargeToBeADocument)
{
    // A sparse file: large to the file system, nothing on the disk.
    QFile huge(path("huge.rtf"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(qint64(513) * 1024 * 1024));
    huge.close();
    EXPECT_EQ(failureOf([&] { loadDocument(path("huge.rtf"), rtfRTF); }),
              QStringLiteral("The file is too large to be a document (the limit is 512 MB)"));
}

TEST_F(DocumentFiles, UnreadableFileIsPermissionDenied)
{
    if (runningAsRoot())
        GTEST_SKIP() << "root reads every file; permissions cannot fail here";
    writeFile(path("secret.txt"), "x");
    QFile::setPermissions(path("secret.txt"), QFileDevice::WriteOwner);
    EXPECT_EQ(failureOf([&] { loadDocument(path("secret.txt"), rtfText); }), QStringLiteral("Permission denied"));
}

TEST_F(DocumentFiles, SaveFailuresNameTheReason)
{
    QDir(m_dir.path()).mkdir(QStringLiteral("folder"));
    EXPECT_EQ(failureOf([&] { saveDocument(*m_document, path("no/such/dir/a.rtf"), rtfRTF); }),
              QStringLiteral("Path not found"));
    EXPECT_EQ(failureOf([&] { saveDocument(*m_document, path("folder"), rtfRTF); }),
              QStringLiteral("Is a directory"));
}

TEST_F(DocumentFiles, ReadOnlyFolderIsPermissionDenied)
{
    if (runningAsRoot())
        GTEST_SKIP() << "root writes into every folder; the full-disk case below covers a failed write";
    QDir(m_dir.path()).mkdir(QStringLiteral("locked"));
    QFile::setPermissions(path("locked"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(failureOf([&] { saveDocument(*m_document, path("locked/a.rtf"), rtfRTF); }),
              QStringLiteral("Permission denied"));
    QFile::setPermissions(path("locked"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(DocumentFiles, FailedSaveLeavesTheOldFileIntact)
{
    writeFile(path("keep.rtf"), "the old file");
    const auto big = makeDocument({{{{QString(100000, u'x')}}}});
    QString failure;
    {
        FileSizeLimit limit(4096);
        failure = failureOf([&] { saveDocument(*big, path("keep.rtf"), rtfRTF); });
    }
    EXPECT_EQ(failure, QStringLiteral("File too large"));
    EXPECT_EQ(contentsOf(path("keep.rtf")), "the old file");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.rtf")})
        << "no temporary file may be left behind";
}

// Save As writes a big document a piece at a time; the file is the same RTF as written at once,
// whether a piece ends in a paragraph, a table or a list.
TEST_F(DocumentFiles, SavedInPiecesTheFileIsTheSameRtf)
{
    for (const int paragraphs : {10, 5000}) {
        SCOPED_TRACE(paragraphs);
        const std::unique_ptr<QTextDocument> document = makeSampleDocument();
        QTextCursor cursor(document.get());
        cursor.movePosition(QTextCursor::End);
        cursor.beginEditBlock();
        for (int i = 0; i < paragraphs; ++i) {
            cursor.insertBlock(QTextBlockFormat());
            cursor.insertText(QStringLiteral("paragraph %1 \u00e9 ").arg(i).repeated(30));
            if (i % 100 == 50) {
                insertSampleTable(cursor);
                cursor.movePosition(QTextCursor::End);
            }
            if (i % 100 == 70)
                cursor.createList(QTextListFormat::ListDisc);
        }
        cursor.endEditBlock();
        saveDocument(*document, path("pieces.rtf"), rtfRTF);
        const QByteArray saved = contentsOf(path("pieces.rtf"));
        EXPECT_GT(saved.size(), paragraphs * 400);
        EXPECT_TRUE(saved == rtfFromDocument(*document));
    }
}

} // namespace
