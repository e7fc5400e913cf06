#pragma once

#include <QLocale>
#include <QString>

class QTextDocument;

// Searching the editing area's document as its Text counts positions: a paragraph or line
// break is one character ("\n") and so is a picture, so a position found here is a SelStart.
//
// The document is read from the starting position in pieces, small at first, so that the
// thousands of searches of a Replace All, each finding its match close by, cost only the text
// they pass over; only a search that goes far reads the rest of the text in one copy.
namespace TextSearch {

// How two texts compare: exactly, or ignoring case as the user's locale writes it (ABC matches
// abc, É matches é; in a Turkish locale I pairs with ı and İ with i).
struct CaseRule {
    bool matchCase = false;
    QLocale locale = QLocale::system();
};

// The position of the first occurrence of `what` at or after `from`, or -1 when there is none
// or `from` is past the end of the text. An empty `what` is found at `from` itself while `from`
// is within the text.
int Find(const QTextDocument &document, const QString &what, int from, const CaseRule &rule);

// Whether the text at `position` is `what`, under the case rule.
bool HoldsAt(const QTextDocument &document, int position, const QString &what, const CaseRule &rule);

} // namespace TextSearch
