#include "rtf/read/RtfStyleLists.h"

#include <algorithm>

void RtfStyleLists::beginParagraphStyle(int number)
{
    m_number = number;
    m_paragraphStyle = true;
}

void RtfStyleLists::beginOtherStyle()
{
    m_paragraphStyle = false;
}

void RtfStyleLists::setList(int list)
{
    m_reading.list = std::max(list, -1);
}

void RtfStyleLists::setListLevel(int level)
{
    m_reading.listLevel = std::uint8_t(std::clamp(level, 0, 8));
}

void RtfStyleLists::setBasedOn(int style)
{
    m_reading.basedOn = style;
}

void RtfStyleLists::endStyle()
{
    const bool named = m_reading.list >= 0 || m_reading.basedOn >= 0;
    if (m_paragraphStyle && named && (m_styles.size() < maxStyles || m_styles.contains(m_number)))
        m_styles.insert(m_number, m_reading);
    m_reading = {};
    m_number = 0;
    m_paragraphStyle = true;
}

void RtfStyleLists::applyTo(RtfParaProps &para, int style) const
{
    if (para.list >= 0)
        return;
    // A chain of styles each based on the next; a file may make it a loop.
    for (int step = 0; step < 16; ++step) {
        const auto it = m_styles.constFind(style);
        if (it == m_styles.cend())
            return;
        if (it->list >= 0) {
            para.list = it->list;
            para.listLevel = it->listLevel;
            return;
        }
        style = it->basedOn;
    }
}
