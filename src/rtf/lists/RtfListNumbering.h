#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <functional>

// The list table of an RTF file and the numbers it gives: the marker each list paragraph shows
// ("1.", "iv)", a bullet) when the file did not write it out in \listtext and no list style
// draws it (RtfReaderLists.cpp). Numbering counts per
// list (\ls) and level, and a level's count starts again after a paragraph of a higher level.
class RtfListNumbering
{
public:
    // Number formats of \levelnfc
    enum Format { Decimal = 0, UpperRoman = 1, LowerRoman = 2, UpperLetter = 3, LowerLetter = 4,
                  Ordinal = 5, DecimalZero = 22, Bullet = 23, NoNumber = 255 };

    struct Level
    {
        // \leveltext without its length byte: characters below U+0009 stand for the number of
        // that level (0 the first).
        QString text;
        int format = Decimal;
        int startAt = 1;
        int follow = 0;   // \levelfollow: 0 a tab, 1 a space, 2 nothing
        int font = -1;    // the font its bullet or number is drawn in
        bool lengthRead = false;   // \leveltext begins with its length, which is no character
    };

    // Building the table as the reader meets it
    void beginList();                    // \list
    void setListId(int id);              // \listid inside \list
    Level *beginLevel();                 // \listlevel; nullptr beyond nine levels
    Level *currentLevel();
    void beginOverride();                // \listoverride
    void setOverrideListId(int id);      // \listid inside \listoverride
    void setOverrideNumber(int ls);      // \ls inside \listoverride

    // The marker of the next paragraph of list `ls` at `level`, with what follows it; empty
    // when the file defines no such list.
    // `literal` turns a character of the level's text, in the level's font, into what it shows.
    QString marker(int ls, int level, const std::function<QChar(QChar, int font)> &literal) const;
    // Counts a paragraph of list `ls` at `level`.
    void count(int ls, int level);

    static QString formatNumber(int number, int format);
    // The levels of list `ls`; nullptr when the file defines no such list.
    const QList<Level> *levelsOf(int ls) const;

private:
    int valueAt(int ls, int level, bool next) const;

    QList<QList<Level>> m_lists;        // in the order of the table
    QHash<int, qsizetype> m_listIds;    // \listid -> index in m_lists
    bool m_inList = false;
    int m_overrideListId = -1;
    int m_overrideNumber = -1;
    QHash<int, int> m_overrides;        // \ls -> \listid
    QHash<int, QList<int>> m_counts;    // \ls -> numbers given, per level (0 before the first)
};
