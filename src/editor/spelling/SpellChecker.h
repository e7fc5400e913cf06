#pragma once

#include "editor/spelling/PersonalWordList.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>

#include <memory>

class SpellingDictionary;

// Judges words: the dictionary of the user's language, the personal word list, and the words
// ignored for the run. The dictionary is read in the background (it takes a good part of a
// second), so that neither start-up nor opening a document waits for it; until it is there,
// and when no dictionary is installed at all, no word is judged wrong and nothing is said.
class SpellChecker : public QObject
{
    Q_OBJECT

public:
    struct Places
    {
        QString language;                // as "en_US"; empty for English (United States)
        QStringList dictionaryFolders;
        QString wordListPath;
    };
    // The user's: the locale's language, the system's dictionaries, the personal word list.
    static Places userPlaces();

    enum class Loading { InBackground, AtOnce };
    explicit SpellChecker(const Places &places, Loading loading = Loading::InBackground,
                          QObject *parent = nullptr);
    ~SpellChecker() override;

    // The program's one checker, over the user's places, made on first use.
    static SpellChecker &shared();

    // Whether a dictionary is loaded (false while it loads, and when there is none).
    bool isReady() const { return m_dictionary != nullptr; }
    QString dictionaryName() const;

    // Whether spelling marks the word as wrong. Fast for words seen before.
    bool isMisspelled(QStringView word);
    // Up to `most` corrections, best first.
    QStringList suggestions(const QString &word, int most = 5);

    // Takes the word as right for the rest of the run.
    void ignoreAll(const QString &word);
    // Takes the word as right from now on, writing it to the personal word list (Failure when
    // that can't be done; the word is then still taken as right for the run).
    void addToDictionary(const QString &word);

    // Why the personal word list was ignored, the first time this checker is asked; empty after
    // that, and when the list was read. The program has one checker, so the user is told once.
    QString takeWordListProblem();

Q_SIGNALS:
    // The dictionary has been loaded.
    void ready();
    // A word is now taken as right: what was judged before may be wrong.
    void wordsChanged();

private:
    struct Loader;
    void adopt(std::unique_ptr<SpellingDictionary> dictionary);
    void takeAsRight(const QString &word);

    std::unique_ptr<SpellingDictionary> m_dictionary;
    std::shared_ptr<Loader> m_loader;
    PersonalWordList m_wordList;
    QSet<QString> m_ignored;
    // Judgements already made: most words of a text are seen again and again.
    QHash<QString, bool> m_misspelled;
    bool m_problemTold = false;
};
