#pragma once

#include <QList>

class QTextFrame;

// While it lives, the document's top level lists to Qt's layout only the tables between `from`
// and `to`: those a change touches, and those where Qt starts laying it out (Qt asks which table
// holds that place). Qt's layout looks at every table of the top level on each change: whether the
// change touched it, how wide it is, where it floats. In a document of hundreds of tables that
// costs as much as laying out the key itself. What it learns from the others does not change with
// the change: whether they were touched (they were not), their widths (EditingLayout puts the
// document's widths back from before the change), and floats (it is used only for a document
// whose top level has none).
class TablesNearChange
{
public:
    TablesNearChange(QTextFrame &root, int from, int to);
    ~TablesNearChange();
    TablesNearChange(const TablesNearChange &) = delete;
    TablesNearChange &operator=(const TablesNearChange &) = delete;

private:
    QList<QTextFrame *> &m_children;
    QList<QTextFrame *> m_all;
};
