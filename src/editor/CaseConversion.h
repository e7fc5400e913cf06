#pragma once

#include <QString>

// The case conversions of the facade's Convert.
namespace CaseConversion {

// Under the case rules of the user's locale.
QString upper(const QString &text);
QString lower(const QString &text);

// Proper case: the first character of every word to capital, every other one to small. Words
// are separated by NUL, tab, line feed, vertical tab, form feed, carriage return and space.
// The text may come in pieces, each converted as part of the whole: a word may begin in one
// piece and go on in the next (a word whose first letters are bold).
class ProperCase
{
public:
    QString next(QStringView piece);

private:
    bool m_atWordStart = true;
};

// Every capital letter to small and every other letter to capital. Under a single-byte code
// page a character keeps its case when the page has no code for the other one, so the text
// stays within the page's characters.
QString toggle(const QString &text, int codePage);

} // namespace CaseConversion
