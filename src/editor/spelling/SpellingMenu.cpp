#include "editor/spelling/SpellingMenu.h"

#include "editor/spelling/InlineSpelling.h"
#include "editor/spelling/SpellChecker.h"

#include <QMenu>
#include <QSettings>
#include <QStandardPaths>

namespace {

constexpr int kMostSuggestions = 5;
const char kCheckSpellingKey[] = "Spelling/CheckSpelling";

// The user's settings file, looked up each time, so that XDG_CONFIG_HOME is honoured as it is now.
QString settingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/corvala/corvala.conf");
}

} // namespace

bool SpellingMenu::savedCheckSpelling()
{
    return QSettings(settingsPath(), QSettings::IniFormat).value(kCheckSpellingKey, true).toBool();
}

void SpellingMenu::saveCheckSpelling(bool on)
{
    QSettings settings(settingsPath(), QSettings::IniFormat);
    settings.setValue(kCheckSpellingKey, on);
    settings.sync();
}

SpellingMenu::SpellingMenu(QMenu &menu, InlineSpelling &spelling, SpellChecker &checker, Runner run)
    : QObject(&menu), m_menu(menu), m_spelling(spelling), m_checker(checker), m_run(std::move(run))
{
    m_menu.addSeparator();
    m_checkSpelling = m_menu.addAction(QStringLiteral("Check Spelling"));
    m_checkSpelling->setObjectName(QStringLiteral("mnuCheckSpelling"));
    m_checkSpelling->setCheckable(true);
    m_checkSpelling->setChecked(m_spelling.isEnabled());
    connect(m_checkSpelling, &QAction::triggered, this, [this](bool on) {
        m_run([this, on] {
            m_spelling.setEnabled(on);
            saveCheckSpelling(on);
        });
    });
}

void SpellingMenu::prepare(const QPoint &viewportPoint)
{
    // The last word's items go now, not when the menu closes: a chosen item is run after that.
    for (const QPointer<QAction> &item : std::as_const(m_wordItems))
        if (item) {
            m_menu.removeAction(item);
            item->deleteLater();
        }
    m_wordItems.clear();
    m_checkSpelling->setEnabled(true);
    m_checkSpelling->setChecked(m_spelling.isEnabled());

    const InlineSpelling::Word word = m_spelling.misspelledWordAt(viewportPoint);
    if (!word.isValid())
        return;
    QAction *before = m_menu.actions().value(0);
    const auto add = [&](const QString &text, const char *name, std::function<void()> work) {
        auto *item = new QAction(text, &m_menu);
        item->setObjectName(QString::fromLatin1(name));
        connect(item, &QAction::triggered, this, [this, work = std::move(work)] { m_run(work); });
        m_menu.insertAction(before, item);
        m_wordItems.append(item);
    };
    for (const QString &suggestion : m_checker.suggestions(word.text, kMostSuggestions)) {
        QString text = suggestion;
        add(text.replace(QLatin1Char('&'), QStringLiteral("&&")), "spellingSuggestion",
            [this, word, suggestion] { m_spelling.replace(word, suggestion); });
    }
    add(QStringLiteral("Ignore All"), "spellingIgnoreAll", [this, word] { m_checker.ignoreAll(word.text); });
    add(QStringLiteral("Add to Dictionary"), "spellingAddToDictionary",
        [this, word] { m_checker.addToDictionary(word.text); });
    m_wordItems.append(m_menu.insertSeparator(before));
}
