#include "editor/CaseConversion.h"

#include "rtf/CodePages.h"

#include <QLocale>
#include <QSet>

namespace {

bool separatesWords(char32_t c)
{
    return c == 0 || (c >= 9 && c <= 13) || c == 32;
}

// The characters of a single-byte page; empty for a multi-byte page, which holds them all.
QSet<char32_t> charactersOf(int codePage)
{
    QSet<char32_t> characters;
    if (const char16_t *table = CodePages::singleByteTable(codePage))
        for (int byte = 0; byte < 256; ++byte)
            characters.insert(table[byte]);
    return characters;
}

} // namespace

namespace CaseConversion {

QString upper(const QString &text) { return QLocale::system().toUpper(text); }

QString lower(const QString &text) { return QLocale::system().toLower(text); }

QString ProperCase::next(QStringView piece)
{
    const QLocale locale = QLocale::system();
    QString result;
    result.reserve(piece.size());
    qsizetype i = 0;
    while (i < piece.size()) {
        if (separatesWords(piece.at(i).unicode())) {
            result.append(piece.at(i++));
            m_atWordStart = true;
            continue;
        }
        qsizetype end = i;
        while (end < piece.size() && !separatesWords(piece.at(end).unicode()))
            ++end;
        const QString word = piece.mid(i, end - i).toString();
        qsizetype first = 0;
        if (m_atWordStart) {
            first = word.at(0).isHighSurrogate() && word.size() > 1 ? 2 : 1;
            result.append(locale.toUpper(word.left(first)));
            m_atWordStart = false;
        }
        result.append(locale.toLower(word.mid(first)));
        i = end;
    }
    return result;
}

QString toggle(const QString &text, int codePage)
{
    const QSet<char32_t> page = charactersOf(codePage);
    QString result;
    result.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        const char32_t capital = QChar::toUpper(c);
        const char32_t toggled = c == capital ? QChar::toLower(c) : capital;
        const char32_t kept = page.isEmpty() || page.contains(toggled) ? toggled : c;
        result.append(QString::fromUcs4(&kept, 1));
    }
    return result;
}

} // namespace CaseConversion
