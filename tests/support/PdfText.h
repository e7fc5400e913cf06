#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

// What a PDF file holds, read back with poppler's tools (pdftotext, pdfimages), which the
// project's set-up installs with the other test packages: a missing tool fails the test.
namespace PdfText {

inline QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted() || !process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed (scripts/install-deps.sh installs poppler-utils): "
                      << process.readAllStandardError().toStdString();
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of every page, words separated by single spaces.
inline QString words(const QString &pdfFile)
{
    return run(QStringLiteral("pdftotext"), {pdfFile, QStringLiteral("-")}).simplified();
}

// The text of one page (from 1), words separated by single spaces.
inline QString pageWords(const QString &pdfFile, int page)
{
    const QString number = QString::number(page);
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-f"), number, QStringLiteral("-l"), number, pdfFile,
                                             QStringLiteral("-")})
        .simplified();
}

inline int pages(const QString &pdfFile)
{
    const QString info = run(QStringLiteral("pdfinfo"), {pdfFile});
    for (const QString &line : info.split(QLatin1Char('\n')))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// The number of pictures in the file.
inline int pictures(const QString &pdfFile)
{
    // pdfimages -list: two heading lines, then one line a picture.
    const QStringList lines = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdfFile})
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return int(lines.size()) - 2;
}

} // namespace PdfText
