#pragma once

#include <QSet>
#include <QString>
#include <QStringConverter>
#include <QStringList>

#include <memory>

class Hunspell;

// One installed Hunspell dictionary (an .aff and a .dic file of Debian's hunspell-* packages).
//
// Hunspell works in the dictionary's own encoding and trusts what it is given; every word goes
// through here, so that it gets only short words of the dictionary's own letters, encoded
// without loss.
class SpellingDictionary
{
public:
    // Words longer than this (in UTF-16 units) are not judged: they are not words, and Hunspell's
    // suggestions grow with the word's length.
    static constexpr int kLongestWord = 64;

    // The folders where dictionaries are looked for: those named in $DICPATH (as for Hunspell's
    // own tools), then Debian's.
    static QStringList systemFolders();
    // The language of the user's locale, as "de_DE": LC_ALL, else LC_MESSAGES, else LANG.
    // Empty for the C and POSIX locales.
    static QString userLanguage();

    // The dictionary for `language` in the first of `folders` that has one; else one of the same
    // language for another country; else English (United States). Null when none is installed
    // or none can be read.
    static std::unique_ptr<SpellingDictionary> load(const QString &language, const QStringList &folders);

    ~SpellingDictionary();
    SpellingDictionary(const SpellingDictionary &) = delete;
    SpellingDictionary &operator=(const SpellingDictionary &) = delete;

    // The dictionary's name, as "en_US".
    QString name() const { return m_name; }

    // Whether the dictionary can judge the word: short enough, and every letter of a script its
    // language writes in (an English dictionary has nothing to say of a Russian word).
    bool judges(QStringView word) const;
    // Whether the word is in the dictionary. Words it does not judge count as right.
    bool check(QStringView word);
    // At most `most` corrections, best first.
    QStringList suggest(QStringView word, int most);
    // Takes the word as right for the rest of the run.
    void add(QStringView word);

private:
    SpellingDictionary() = default;
    bool encode(QStringView word, std::string &encoded);

    std::unique_ptr<Hunspell> m_hunspell;
    QString m_name;
    QSet<int> m_scripts; // QChar::Script values of the letters the .aff file's TRY line names
    QStringEncoder m_encoder;
    QStringDecoder m_decoder;
};
