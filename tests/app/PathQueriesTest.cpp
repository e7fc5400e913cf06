#include "app/PathQueries.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(PathTests, ExistingFilesAndDirectoriesOnly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("notes.rtf"));
    QFile(file).open(QIODevice::WriteOnly);

    const struct {
        QString path;
        bool pathExists;
        bool fileExists;
    } cases[] = {
        {file, true, true},
        {dir.path(), true, true},
        {QString(), false, false},
        {dir.filePath(QStringLiteral("missing.rtf")), false, false},
        {dir.filePath(QStringLiteral("no-such-folder/notes.rtf")), false, false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(modRTF::PathExists(c.path), c.pathExists) << c.path.toStdString();
        EXPECT_EQ(FileExists(c.path), c.fileExists) << c.path.toStdString();
    }
}

} // namespace
