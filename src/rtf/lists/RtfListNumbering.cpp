#include "rtf/lists/RtfListNumbering.h"

namespace {

constexpr int maxLevels = 9;

QString roman(int number)
{
    static const struct { int value; const char *digits; } parts[] = {
        {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"},
        {50, "l"}, {40, "xl"}, {10, "x"}, {9, "ix"}, {5, "v"}, {4, "iv"}, {1, "i"}};
    QString text;
    for (const auto &part : parts) {
        while (number >= part.value && text.size() < 64) {
            text += QLatin1String(part.digits);
            number -= part.value;
        }
    }
    return text;
}

// a, b, ... z, aa, bb, ... as word processors letter their lists
QString letters(int number)
{
    const int repeat = std::min((number - 1) / 26 + 1, 64);
    return QString(repeat, QChar(u'a' + (number - 1) % 26));
}

} // namespace

void RtfListNumbering::beginList()
{
    m_inList = true;
    m_lists.append(QList<Level>());
}

void RtfListNumbering::setListId(int id)
{
    if (m_inList)
        m_listIds.insert(id, m_lists.size() - 1);
}

RtfListNumbering::Level *RtfListNumbering::beginLevel()
{
    if (!m_inList || m_lists.last().size() >= maxLevels)
        return nullptr;
    m_lists.last().append(Level{});
    return currentLevel();
}

RtfListNumbering::Level *RtfListNumbering::currentLevel()
{
    if (!m_inList || m_lists.last().isEmpty())
        return nullptr;
    return &m_lists.last().last();
}

void RtfListNumbering::beginOverride()
{
    m_inList = false;
    m_overrideListId = m_overrideNumber = -1;
}

void RtfListNumbering::setOverrideListId(int id)
{
    m_overrideListId = id;
    if (m_overrideNumber >= 0)
        m_overrides.insert(m_overrideNumber, id);
}

void RtfListNumbering::setOverrideNumber(int ls)
{
    m_overrideNumber = ls;
    if (m_overrideListId >= 0)
        m_overrides.insert(ls, m_overrideListId);
}

const QList<RtfListNumbering::Level> *RtfListNumbering::levelsOf(int ls) const
{
    const auto override = m_overrides.constFind(ls);
    if (override == m_overrides.constEnd())
        return nullptr;
    const auto list = m_listIds.constFind(*override);
    return list == m_listIds.constEnd() ? nullptr : &m_lists[*list];
}

int RtfListNumbering::valueAt(int ls, int level, bool next) const
{
    const QList<Level> &levels = *levelsOf(ls);
    const int startAt = level < levels.size() ? levels[level].startAt : 1;
    const QList<int> counts = m_counts.value(ls);
    const int given = level < counts.size() ? counts[level] : 0;
    return startAt + (next ? given : std::max(given - 1, 0));
}

QString RtfListNumbering::marker(int ls, int level, const std::function<QChar(QChar, int)> &literal) const
{
    const QList<Level> *levels = levelsOf(ls);
    if (!levels || levels->isEmpty())
        return {};
    level = std::clamp(level, 0, int(levels->size()) - 1);
    const Level &own = (*levels)[level];
    QString text;
    for (QChar ch : own.text) {
        const int placeholder = ch.unicode();
        if (placeholder < maxLevels) {
            const int format = placeholder < levels->size() ? (*levels)[placeholder].format : Decimal;
            if (placeholder <= level)
                text += formatNumber(valueAt(ls, placeholder, placeholder == level), format);
        } else {
            text += literal(ch, own.font);
        }
    }
    if (own.follow == 0)
        text += QLatin1Char('\t');
    else if (own.follow == 1)
        text += QLatin1Char(' ');
    return text;
}

void RtfListNumbering::count(int ls, int level)
{
    const QList<Level> *levels = levelsOf(ls);
    if (!levels || levels->isEmpty())
        return;
    level = std::clamp(level, 0, int(levels->size()) - 1);
    QList<int> &counts = m_counts[ls];
    if (counts.size() <= level)
        counts.resize(level + 1);
    ++counts[level];
    counts.resize(level + 1);   // the levels below start again
}

QString RtfListNumbering::formatNumber(int number, int format)
{
    switch (format) {
    case UpperRoman: return number > 0 && number < 4000 ? roman(number).toUpper() : QString::number(number);
    case LowerRoman: return number > 0 && number < 4000 ? roman(number) : QString::number(number);
    case UpperLetter: return number > 0 ? letters(number).toUpper() : QString::number(number);
    case LowerLetter: return number > 0 ? letters(number) : QString::number(number);
    case DecimalZero: return number < 10 && number >= 0 ? QLatin1Char('0') + QString::number(number) : QString::number(number);
    case Bullet: case NoNumber: return {};
    default: return QString::number(number);
    }
}
