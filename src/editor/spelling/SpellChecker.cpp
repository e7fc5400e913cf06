#include "editor/spelling/SpellChecker.h"

#include "editor/spelling/SpellingDictionary.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

#include <mutex>

namespace {

// Enough for the words of many pages; the judgements are cheap to make again.
constexpr qsizetype kMostJudgementsKept = 200000;

} // namespace

// What the loading task and the checker share: the checker may be gone when the task ends.
struct SpellChecker::Loader
{
    std::mutex mutex;
    SpellChecker *owner = nullptr;
    std::unique_ptr<SpellingDictionary> loaded;
};

SpellChecker::Places SpellChecker::userPlaces()
{
    return {SpellingDictionary::userLanguage(), SpellingDictionary::systemFolders(), PersonalWordList::userPath()};
}

SpellChecker::SpellChecker(const Places &places, Loading loading, QObject *parent)
    : QObject(parent), m_wordList(places.wordListPath)
{
    if (loading == Loading::AtOnce) {
        adopt(SpellingDictionary::load(places.language, places.dictionaryFolders));
        return;
    }
    m_loader = std::make_shared<Loader>();
    m_loader->owner = this;
    QThreadPool::globalInstance()->start([loader = m_loader, places] {
        std::unique_ptr<SpellingDictionary> dictionary = SpellingDictionary::load(places.language, places.dictionaryFolders);
        const std::lock_guard lock(loader->mutex);
        loader->loaded = std::move(dictionary);
        if (loader->owner)
            QMetaObject::invokeMethod(loader->owner, [owner = loader->owner, loader] {
                std::unique_ptr<SpellingDictionary> done;
                {
                    const std::lock_guard lock(loader->mutex);
                    done = std::move(loader->loaded);
                }
                owner->adopt(std::move(done));
            }, Qt::QueuedConnection);
    });
}

SpellChecker::~SpellChecker()
{
    if (m_loader) {
        const std::lock_guard lock(m_loader->mutex);
        m_loader->owner = nullptr;
    }
}

SpellChecker &SpellChecker::shared()
{
    static QPointer<SpellChecker> checker;
    if (!checker)
        checker = new SpellChecker(userPlaces(), Loading::InBackground, QCoreApplication::instance());
    return *checker;
}

void SpellChecker::adopt(std::unique_ptr<SpellingDictionary> dictionary)
{
    if (!dictionary)
        return;
    m_dictionary = std::move(dictionary);
    for (const QString &word : m_wordList.words())
        m_dictionary->add(word);
    m_misspelled.clear();
    Q_EMIT ready();
}

QString SpellChecker::dictionaryName() const { return m_dictionary ? m_dictionary->name() : QString(); }

bool SpellChecker::isMisspelled(QStringView word)
{
    if (!m_dictionary)
        return false;
    const QString key = word.toString();
    const auto known = m_misspelled.constFind(key);
    if (known != m_misspelled.constEnd())
        return *known;
    if (m_misspelled.size() >= kMostJudgementsKept)
        m_misspelled.clear();
    const bool misspelled = !m_ignored.contains(key) && !m_dictionary->check(word);
    m_misspelled.insert(key, misspelled);
    return misspelled;
}

QStringList SpellChecker::suggestions(const QString &word, int most)
{
    return m_dictionary && isMisspelled(word) ? m_dictionary->suggest(word, most) : QStringList();
}

void SpellChecker::takeAsRight(const QString &word)
{
    m_ignored.insert(word);
    m_misspelled.insert(word, false);
    Q_EMIT wordsChanged();
}

void SpellChecker::ignoreAll(const QString &word) { takeAsRight(word); }

void SpellChecker::addToDictionary(const QString &word)
{
    takeAsRight(word);
    if (m_dictionary)
        m_dictionary->add(word);
    m_wordList.add(word);
}

QString SpellChecker::takeWordListProblem()
{
    if (m_problemTold || m_wordList.problem().isEmpty())
        return QString();
    m_problemTold = true;
    return m_wordList.problem();
}
