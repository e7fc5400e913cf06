#include "platform/richtextbox/wide/FontSurvey.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPaintDevice>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextList>
#include <QtGui/private/qfont_p.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <vector>

namespace {

// A character format's font as the layout uses it, and the widths of the characters met in it.
class FormatFont
{
public:
    explicit FormatFont(const QFont &font)
        : m_font(font)
        , m_metrics(font)
    {
        m_latin.fill(-1);
        m_sample = QStringLiteral("Aa");
    }

    const QFont &font() const { return m_font; }

    qreal latinWidth(char32_t character)
    {
        qreal &width = m_latin[character];
        if (width < 0)
            width = m_metrics.horizontalAdvance(QChar(char16_t(character)));
        return width;
    }

    qreal width(char32_t character)
    {
        const auto known = m_others.constFind(character);
        if (known != m_others.cend())
            return *known;
        // Met for the first time: its width loads the fallback font it needs, and a character of
        // each script goes into the sample that is shaped at the end.
        const QString text = QString::fromUcs4(&character, 1);
        const qreal width = m_metrics.horizontalAdvance(text);
        const auto script = QChar::script(character);
        if (script >= m_scripts.size())
            m_scripts.resize(script + 1, false);
        if (!m_scripts[script]) {
            m_scripts[script] = true;
            m_sample += text;
        }
        m_others.insert(character, width);
        return width;
    }

    // Shapes a character of each script met, as the layout will: what HarfBuzz keeps for each
    // font (its tables, the plan for each script) is made now.
    void shapeSample() const
    {
        QTextLayout layout(m_sample, m_font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
    }

private:
    QFont m_font;
    QFontMetricsF m_metrics;
    std::array<qreal, 256> m_latin;
    QHash<char32_t, qreal> m_others;
    std::vector<bool> m_scripts;
    QString m_sample;
};

// The font the layout gives text of this format (QTextEngine::font).
QFont layoutFont(const QTextCharFormat &format, const QPaintDevice *device)
{
    QFont font = format.font();
    if (device)
        font = QFont(font, device);
    const auto alignment = format.verticalAlignment();
    if (alignment == QTextCharFormat::AlignSuperScript || alignment == QTextCharFormat::AlignSubScript) {
        if (font.pointSize() != -1)
            font.setPointSize(font.pointSize() * 2 / 3);
        else
            font.setPixelSize(font.pixelSize() * 2 / 3);
    }
    return font;
}

class Surveyor
{
public:
    explicit Surveyor(const QTextDocument &document)
        : m_document(document)
        , m_device(document.documentLayout()->paintDevice())
        , m_defaultTabs(document.defaultTextOption().tabStopDistance())
    {
    }

    FontSurvey::Survey run()
    {
        FontSurvey::Survey survey;
        const QList<QTextFrame *> frames = m_document.rootFrame()->childFrames();
        // Without tables the lines' width is not set from the widest paragraph: then only the
        // fonts are met.
        const bool estimate = !frames.isEmpty();
        qsizetype frame = 0;
        for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
            const int position = block.position();
            while (frame < frames.size() && frames[frame]->lastPosition() < position)
                ++frame;
            const bool inFrame = frame < frames.size() && frames[frame]->firstPosition() <= position;
            if (!estimate || inFrame) {
                meetFonts(block);
                continue;
            }
            const qreal text = textWidth(block);
            if (text > 0)
                survey.widestParagraph = std::max(survey.widestParagraph, text + margins(block));
        }
        for (const FormatFont &font : m_fonts) {
            font.shapeSample();
            survey.fonts.append(font.font());
        }
        return survey;
    }

private:
    FormatFont &fontOf(const QTextFragment &fragment)
    {
        const int index = fragment.charFormatIndex();
        if (index >= qsizetype(m_byFormat.size()))
            m_byFormat.resize(index + 1, nullptr);
        if (!m_byFormat[index]) {
            // Formats that differ only in colour, underline and the like share the font.
            const QFont font = layoutFont(fragment.charFormat(), m_device);
            FormatFont *&shared = m_byFont[font];
            if (!shared)
                shared = &m_fonts.emplace_back(font);
            m_byFormat[index] = shared;
        }
        return *m_byFormat[index];
    }

    // The fonts of the paragraph's text, and the fallback fonts of its characters beyond Latin-1.
    void meetFonts(const QTextBlock &block)
    {
        const QString text = block.text();
        const int start = block.position();
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            FormatFont &font = fontOf(fragment);
            const qsizetype end = fragment.position() - start + fragment.length();
            for (qsizetype i = fragment.position() - start; i < end; ++i)
                if (const char32_t c = character(text, i, end); c >= 256)
                    font.width(c);
        }
    }

    // The paragraph's text unbroken, all its lines in one, from its characters' widths: the
    // layout's own shaping (kerning, ligatures) makes it a little narrower.
    qreal textWidth(const QTextBlock &block)
    {
        const QList<QTextOption::Tab> tabs = block.blockFormat().tabPositions();
        const QString text = block.text();
        const int start = block.position();
        qreal width = 0, line = 0;
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            FormatFont &font = fontOf(fragment);
            const qsizetype end = fragment.position() - start + fragment.length();
            for (qsizetype i = fragment.position() - start; i < end; ++i) {
                const char32_t c = character(text, i, end);
                qreal advance;
                if (c < 256 && c != u'\t') {
                    advance = font.latinWidth(c);
                } else if (c == u'\t') {
                    advance = tabAdvance(line, tabs);
                } else if (c == QChar::LineSeparator) {
                    // The layout counts a paragraph's lines one after another, breaks or not;
                    // tabs are measured from the line's start.
                    line = 0;
                    continue;
                } else if (c == QChar::ObjectReplacementCharacter) {
                    advance = objectWidth(fragment, int(i + start - fragment.position()));
                } else {
                    advance = font.width(c);
                }
                line += advance;
                width += advance;
            }
        }
        return width;
    }

    // The character at i, both halves of a surrogate pair in one (i is moved onto the second).
    static char32_t character(const QString &text, qsizetype &i, qsizetype end)
    {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < end && text[i + 1].isLowSurrogate())
            return QChar::surrogateToUcs4(c, text[++i].unicode());
        return c;
    }

    // How far a tab at x moves on: to the block's next tab stop, or at most the distance
    // between the default stops (where the layout's line starts is not known here).
    qreal tabAdvance(qreal x, const QList<QTextOption::Tab> &tabs) const
    {
        for (const QTextOption::Tab &tab : tabs)
            if (tab.position > x)
                return tab.position - x;
        return m_defaultTabs;
    }

    qreal objectWidth(const QTextFragment &fragment, int offset) const
    {
        const QTextCharFormat format = fragment.charFormat();
        QAbstractTextDocumentLayout *layout = m_document.documentLayout();
        QTextObjectInterface *handler = layout->handlerForObject(format.objectType());
        if (!handler)
            return 0;
        return handler->intrinsicSize(const_cast<QTextDocument *>(&m_document), fragment.position() + offset, format).width();
    }

    // What the layout puts left and right of a paragraph's text (QTextDocumentLayout's block
    // indent and margins, and the document's margin on either side).
    qreal margins(const QTextBlock &block) const
    {
        const QTextBlockFormat format = block.blockFormat();
        qreal indent = format.indent();
        if (const QTextList *list = block.textList())
            indent += list->format().indent();
        const qreal scale = m_device ? m_device->logicalDpiY() / qreal(qt_defaultDpi()) : 1;
        return 2 * m_document.documentMargin() + format.leftMargin() + format.rightMargin()
            + std::max(0.0, format.textIndent()) + indent * scale * m_document.indentWidth();
    }

    const QTextDocument &m_document;
    const QPaintDevice *m_device;
    const qreal m_defaultTabs;
    std::deque<FormatFont> m_fonts;
    std::vector<FormatFont *> m_byFormat;
    QHash<QFont, FormatFont *> m_byFont;
};

} // namespace

FontSurvey::Survey FontSurvey::survey(const QTextDocument &document)
{
    return Surveyor(document).run();
}
