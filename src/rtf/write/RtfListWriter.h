#pragma once

#include "rtf/lists/RtfListStyle.h"

#include <QByteArray>
#include <QHash>
#include <QList>

#include <array>
#include <optional>

class QTextBlock;
class QTextDocument;
class QTextList;
class RtfOutput;

// A document's lists as RTF lists: one \list for each family of lists (a list and the lists
// nested in it, or the lists read from one RTF list), one level for each depth, and the words
// that make a paragraph an item: \lsN \ilvlN, and the marker as the list shows it in
// \listtext, for readers that know no list tables.
class RtfListWriter
{
public:
    // The lists of the paragraphs from position `from` to `to` (the whole document by default):
    // a copied range declares only the lists it holds, and a small copy of a long document
    // doesn't walk all of it.
    explicit RtfListWriter(const QTextDocument &document, int from = 0, int to = -1);

    bool isEmpty() const { return m_families.isEmpty(); }
    // \listtable and \listoverridetable
    void writeTables(RtfOutput &out) const;

    // The paragraph's place in its list; none outside lists.
    struct Item
    {
        int list = 0;    // \ls
        int level = 0;   // \ilvl
    };
    std::optional<Item> itemOf(const QTextList *list) const;
    // The format a list paragraph is written with: its list's indent is part of its own, with
    // room for the marker before the text.
    QTextBlockFormat paragraphFormat(const QTextBlock &block) const;
    // The marker the list shows at the paragraph, for \listtext; none where the list draws
    // none (see markerLengthInText).
    static QString markerOf(const QTextBlock &block);
    // How much of the paragraph's text is its marker: an item of a list that draws no marker
    // of its own starts with it (RtfListProperties::marker). That text is written as the
    // marker, not as the paragraph's.
    static int markerLengthInText(const QTextBlock &block);

private:
    struct Level
    {
        RtfListStyle style;
        bool defined = false;
        // a level whose markers are text in its items: its definition as read
        QString levelText = {};
        int numberFormat = 0;
        int startAt = 1;
        bool sameAs(const Level &other) const { return style == other.style && levelText == other.levelText; }
    };
    static Level levelOf(const QTextListFormat &format);

    using Levels = std::array<Level, 9>;
    void writeLevel(const Level &level, int depth, RtfOutput &out) const;

    const QTextDocument &m_document;
    QList<Levels> m_families;
    QHash<const QTextList *, Item> m_items;
};
