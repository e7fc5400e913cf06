// Fields are read as their results; the instruction of each field that is more than a plain
// hyperlink goes with its result, so that it is written back as a field (RtfFields.h).
#include "rtf/read/RtfReader.h"

#include <QRegularExpression>

namespace {

constexpr qsizetype maxKeptFields = 100000;

// A hyperlink with switches beyond the bookmark's \l (a tip, a target frame) is kept whole.
bool hyperlinkHasSwitches(const QString &instruction)
{
    static const QRegularExpression otherSwitch(QStringLiteral(R"(\\[^l\s])"));
    return otherSwitch.match(instruction).hasMatch();
}

} // namespace

void RtfReader::keepField(const QString &instruction, bool hyperlink)
{
    if (m_stack.empty())
        return;
    int &field = top().chars.field;
    // an inner field's result is its own, not the field around it
    field = -1;
    if (instruction.trimmed().isEmpty() || (hyperlink && !hyperlinkHasSwitches(instruction))
        || m_keptFields.size() >= maxKeptFields)
        return;
    m_keptFields.append(instruction);
    field = int(m_keptFields.size() - 1);
}
