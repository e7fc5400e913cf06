#pragma once

#include <QString>
#include <QStringList>

// The user's own words: a text file, one word a line, in UTF-8 ($XDG_DATA_HOME/corvala/words,
// else ~/.local/share/corvala/words). Read once at start-up; Add to Dictionary appends to it.
class PersonalWordList
{
public:
    // Where the program keeps the list.
    static QString userPath();

    // Reads the list at `path`. A missing file is an empty list. One that can't be read, or is
    // not a list of words (not UTF-8, binary, huge), is ignored: problem() says why.
    explicit PersonalWordList(const QString &path);

    const QStringList &words() const { return m_words; }
    // Why the file was ignored, for the user; empty when it was read (or is missing).
    const QString &problem() const { return m_problem; }

    // Appends the word to the file, making its folder when needed. Throws Failure when it can't
    // be written, or when the list was ignored: appending to a file that can't be read would
    // only hide the user's word in it.
    void add(const QString &word);

private:
    QString m_path;
    QStringList m_words;
    QString m_problem;
};
