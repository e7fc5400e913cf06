#include "base/Failure.h"
#include "platform/Pictures.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString writeFile(const QTemporaryDir &dir, const char *name, const QByteArray &bytes)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    TestFiles::writeBytes(path, bytes);
    return path;
}

TEST(Pictures, PicturesAndCursorsLoadFromTheirFiles)
{
    QTemporaryDir dir;
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::red);
    const QString png = dir.filePath(QStringLiteral("red.png"));
    ASSERT_TRUE(image.save(png));
    EXPECT_EQ(Pictures::LoadPicture(png).size(), QSize(32, 32));

    const QString cursor = dir.filePath(QStringLiteral("HAND-M.CUR"));
    if (QImageWriter::supportedImageFormats().contains("cur")) {
        ASSERT_TRUE(image.save(cursor, "cur"));
        EXPECT_EQ(Pictures::LoadCursor(cursor).pixmap().size(), QSize(32, 32));
    }
}

TEST(Pictures, WhatIsNoPictureIsAFailureWithADescription)
{
    QTemporaryDir dir;
    const QString cases[] = {
        writeFile(dir, "HAND-M.CUR", "this is not a cursor"),
        writeFile(dir, "empty.bmp", ""),
        dir.filePath(QStringLiteral("missing.gif")),
        dir.path(),
    };
    for (const QString &path : cases) {
        try {
            Pictures::LoadCursor(path);
            ADD_FAILURE() << "no failure for " << path.toStdString();
        } catch (const Failure &failure) {
            EXPECT_FALSE(failure.description().isEmpty());
        }
    }
}

TEST(Pictures, ANaturalSizeFollowsTheResolutionTheFileRecords)
{
    QTemporaryDir dir;
    const struct {
        const char *name;
        int dpi; // 0: none set
        QSizeF natural;
    } cases[] = {
        {"plain.png", 0, {60, 40}},
        {"print.png", 192, {30, 20}},
        {"print.jpg", 192, {30, 20}},
        {"screen.bmp", 72, {80, 53.33}},
    };
    for (const auto &c : cases) {
        QImage image(60, 40, QImage::Format_RGB32);
        image.fill(Qt::blue);
        if (c.dpi) {
            image.setDotsPerMeterX(qRound(c.dpi / 0.0254));
            image.setDotsPerMeterY(qRound(c.dpi / 0.0254));
        }
        const QString file = dir.filePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(image.save(file));
        const QSizeF natural = Pictures::NaturalSize(Pictures::LoadPictureFile(file).Image);
        EXPECT_NEAR(natural.width(), c.natural.width(), 0.1) << c.name;
        EXPECT_NEAR(natural.height(), c.natural.height(), 0.1) << c.name;
    }
}

} // namespace
