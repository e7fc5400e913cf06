// List items whose markers no list style of the editing area draws: numbers that start at
// another number than 1, several levels' numbers ("2.1."), bullets such as "-" or a check mark.
// The marker stays text at the paragraph's start, as the file shows it, and the paragraph is an
// item of a list that draws no marker of its own, so that Save As writes it back as an item of
// its list, with the level's own definition.
#include "rtf/read/RtfReader.h"

#include <QTextList>

void RtfReader::placeAsMarkedItem(QTextBlockFormat &format, const RtfParaProps &para, const QString &marker)
{
    const QList<RtfListNumbering::Level> *levels = m_listNumbering.levelsOf(para.list);
    if (marker.trimmed().isEmpty() || !levels || levels->isEmpty()
        || !m_listItems.accepts(para.list, para.listLevel, RtfListStyle{QTextListFormat::ListStyleUndefined, {}, {}}))
        return;
    const RtfListNumbering::Level &level = (*levels)[std::min<int>(para.listLevel, int(levels->size()) - 1)];
    QString text;
    for (QChar ch : level.text)
        text += ch.unicode() < 9 ? ch : listCharacter(ch, level.font);
    QTextList *list = m_listItems.join(para.list, para.listLevel, RtfListStyle{QTextListFormat::ListStyleUndefined, {}, {}},
                                       std::nullopt);
    if (!list)
        return;
    QTextListFormat listFormat = list->format();
    if (!listFormat.hasProperty(RtfListProperties::levelText)) {
        // the paragraph's own indents place the marker and the text, as they did as text
        listFormat.setIndent(0);
        listFormat.setProperty(RtfListProperties::levelText, text);
        listFormat.setProperty(RtfListProperties::numberFormat, level.format);
        listFormat.setProperty(RtfListProperties::startAt, level.startAt);
        list->setFormat(listFormat);
    }
    format.setObjectIndex(list->objectIndex());
    format.setProperty(RtfListProperties::marker, marker);
}
