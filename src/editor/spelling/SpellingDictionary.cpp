#include "editor/spelling/SpellingDictionary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <hunspell.hxx>

namespace {

const QString kFallbackLanguage = QStringLiteral("en_US");

// "de_DE.UTF-8@euro" -> "de_DE"
QString languageOfLocale(const QByteArray &locale)
{
    QString name = QString::fromLatin1(locale);
    for (const QChar stop : {QLatin1Char('.'), QLatin1Char('@')})
        name = name.section(stop, 0, 0);
    if (name == QLatin1String("C") || name == QLatin1String("POSIX"))
        return QString();
    return name;
}

// The names Hunspell's SET line uses, as ICU (through Qt) knows them.
QByteArray converterName(const std::string &hunspellName)
{
    QByteArray name = QByteArray::fromStdString(hunspellName).trimmed();
    if (name.startsWith("ISO8859-"))
        return "ISO-8859-" + name.mid(8);
    if (name.startsWith("microsoft-cp"))
        return "windows-" + name.mid(12);
    if (name == "TIS620-2533")
        return "TIS-620";
    return name.isEmpty() ? QByteArray("ISO-8859-1") : name;
}

QString dictionaryIn(const QStringList &folders, const QString &language)
{
    for (const QString &folder : folders) {
        const QString base = folder + QLatin1Char('/') + language;
        if (QFileInfo(base + QStringLiteral(".dic")).isReadable()
            && QFileInfo(base + QStringLiteral(".aff")).isReadable())
            return base;
    }
    return QString();
}

// A dictionary of the same language for another country: de_DE before de_AT for "de_CH".
QString sameLanguageIn(const QStringList &folders, const QString &language)
{
    const QString lang = language.section(QLatin1Char('_'), 0, 0);
    if (lang.isEmpty())
        return QString();
    const QString home = dictionaryIn(folders, lang + QLatin1Char('_') + lang.toUpper());
    if (!home.isEmpty())
        return home;
    for (const QString &folder : folders) {
        const QStringList found = QDir(folder).entryList({lang + QStringLiteral("_*.dic")}, QDir::Files, QDir::Name);
        for (const QString &file : found) {
            const QString base = dictionaryIn({folder}, file.chopped(4));
            if (!base.isEmpty())
                return base;
        }
    }
    return QString();
}

// The scripts of the letters that the .aff file's TRY line lists (the letters suggestions are
// made of), in the file's encoding. Empty when it has none: then every word is judged.
QSet<int> scriptsOfTryLine(const QString &affPath, QStringDecoder &decoder)
{
    QSet<int> scripts;
    QFile aff(affPath);
    if (!aff.open(QIODevice::ReadOnly))
        return scripts;
    // TRY comes near the top; a line past the first few hundred is not looked for.
    for (int line = 0; line < 500 && !aff.atEnd(); ++line) {
        const QByteArray text = aff.readLine(4096).trimmed();
        if (!text.startsWith("TRY "))
            continue;
        const QString letters = decoder.decode(text.mid(4));
        for (const QChar c : letters)
            if (c.isLetter())
                scripts.insert(c.script());
        break;
    }
    return scripts;
}

} // namespace

QStringList SpellingDictionary::systemFolders()
{
    QStringList folders;
    for (const QString &folder : qEnvironmentVariable("DICPATH").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        folders << folder;
    folders << QStringLiteral("/usr/share/hunspell") << QStringLiteral("/usr/share/myspell")
            << QStringLiteral("/usr/share/myspell/dicts");
    return folders;
}

QString SpellingDictionary::userLanguage()
{
    for (const char *variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = qgetenv(variable);
        if (!value.isEmpty())
            return languageOfLocale(value);
    }
    return QString();
}

std::unique_ptr<SpellingDictionary> SpellingDictionary::load(const QString &language, const QStringList &folders)
{
    QString base = language.isEmpty() ? QString() : dictionaryIn(folders, language);
    if (base.isEmpty() && !language.isEmpty())
        base = sameLanguageIn(folders, language);
    if (base.isEmpty())
        base = dictionaryIn(folders, kFallbackLanguage);
    if (base.isEmpty())
        return nullptr;

    std::unique_ptr<SpellingDictionary> dictionary(new SpellingDictionary);
    const QString affPath = base + QStringLiteral(".aff");
    dictionary->m_hunspell = std::make_unique<Hunspell>(QFile::encodeName(affPath).constData(),
                                                        QFile::encodeName(base + QStringLiteral(".dic")).constData());
    const QByteArray encoding = converterName(dictionary->m_hunspell->get_dict_encoding());
    dictionary->m_encoder = QStringEncoder(encoding.constData());
    dictionary->m_decoder = QStringDecoder(encoding.constData());
    // An encoding neither Qt nor ICU knows would turn words into something else: no spelling
    // then, rather than wrong judgements.
    if (!dictionary->m_encoder.isValid() || !dictionary->m_decoder.isValid())
        return nullptr;
    dictionary->m_name = QFileInfo(base).fileName();
    dictionary->m_scripts = scriptsOfTryLine(affPath, dictionary->m_decoder);
    return dictionary;
}

SpellingDictionary::~SpellingDictionary() = default;

bool SpellingDictionary::judges(QStringView word) const
{
    if (word.isEmpty() || word.size() > kLongestWord)
        return false;
    for (const QChar c : word) {
        if (c.isSurrogate() || c.category() == QChar::Other_PrivateUse)
            return false;
        if (c.isLetter() && !m_scripts.isEmpty() && !m_scripts.contains(c.script()))
            return false;
    }
    return true;
}

bool SpellingDictionary::encode(QStringView word, std::string &encoded)
{
    if (!judges(word))
        return false;
    m_encoder.resetState();
    const QByteArray bytes = m_encoder.encode(word);
    // A letter the dictionary's encoding lacks can't be in it, nor be judged by it.
    if (m_encoder.hasError())
        return false;
    encoded = bytes.toStdString();
    return true;
}

bool SpellingDictionary::check(QStringView word)
{
    std::string encoded;
    if (!encode(word, encoded))
        return true;
    return m_hunspell->spell(encoded);
}

QStringList SpellingDictionary::suggest(QStringView word, int most)
{
    QStringList suggestions;
    std::string encoded;
    if (!encode(word, encoded))
        return suggestions;
    for (const std::string &suggestion : m_hunspell->suggest(encoded)) {
        if (suggestions.size() >= most)
            break;
        m_decoder.resetState();
        const QString decoded = m_decoder.decode(QByteArrayView(suggestion.data(), qsizetype(suggestion.size())));
        if (!m_decoder.hasError() && !decoded.isEmpty())
            suggestions << decoded;
    }
    return suggestions;
}

void SpellingDictionary::add(QStringView word)
{
    std::string encoded;
    if (encode(word, encoded))
        m_hunspell->add(encoded);
}
