#pragma once

#include <QDir>
#include <QString>

#include <string>
#include <vector>

// The real-world RTF files kept with the tests (tests/data/rtf/corpus, sources and licences in
// its SOURCES.md), for the tests that run once per file.
namespace CorpusFiles {

inline const QString &folder()
{
    static const QString path = QStringLiteral(CORVALA_TEST_DATA "/rtf/corpus");
    return path;
}

// The name a test gets when the folder holds no file: one case that fails and says so, since a
// corpus test that found nothing has checked nothing.
inline const std::string missing = "(no corpus)";

inline std::vector<std::string> names()
{
    std::vector<std::string> names;
    for (const QString &name : QDir(folder()).entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name))
        names.push_back(name.toStdString());
    if (names.empty())
        names.push_back(missing);
    return names;
}

// A file name as a test name: letters and digits kept, everything else an underscore.
inline std::string testName(const std::string &file)
{
    std::string name = file == missing ? "Missing" : file.substr(0, file.size() - 4);
    for (char &c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

} // namespace CorpusFiles
