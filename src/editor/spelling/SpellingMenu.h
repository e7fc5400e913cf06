#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class InlineSpelling;
class QAction;
class QMenu;
class QPoint;
class SpellChecker;

// Spelling's part of the editing area's right-click menu: on a misspelled word, up to five
// corrections at the top, then "Ignore All" and "Add to Dictionary" and a separator; at the
// end, always, the checkable "Check Spelling", whose state is kept between runs.
class SpellingMenu : public QObject
{
    Q_OBJECT

public:
    // Runs a chosen item's work; the window passes its own way of reporting failures.
    using Runner = std::function<void(const std::function<void()> &)>;

    SpellingMenu(QMenu &menu, InlineSpelling &spelling, SpellChecker &checker, Runner run);

    // Fills in the items for a right-click at a point of the area's viewport; call it just
    // before the menu pops up, after the menu's own items are enabled or disabled.
    void prepare(const QPoint &viewportPoint);

    QAction *checkSpelling() const { return m_checkSpelling; }

    // "Check Spelling" as the user last left it (on at first), in the user's settings.
    static bool savedCheckSpelling();
    static void saveCheckSpelling(bool on);

private:
    QMenu &m_menu;
    InlineSpelling &m_spelling;
    SpellChecker &m_checker;
    Runner m_run;
    QAction *m_checkSpelling = nullptr;
    QList<QPointer<QAction>> m_wordItems; // the items of the last right-clicked word
};
