#include "platform/richtextbox/wide/FontSurvey.h"

#include "platform/richtextbox/qtstate/TextRuns.h"
#include "rtf/DocumentText.h"

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
#include <climits>
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

// Takes the document's text a run of one format at a time (TextRuns), keeping track of the
// paragraph the run is in.
class Surveyor
{
public:
    explicit Surveyor(const QTextDocument &document)
        : m_document(document)
        , m_device(document.documentLayout()->paintDevice())
        , m_defaultTabs(document.defaultTextOption().tabStopDistance())
        , m_formats(document.allFormats())
        , m_frames(document.rootFrame()->childFrames())
    {
    }

    FontSurvey::Survey run()
    {
        TextRuns::forEach(m_document, [this](QStringView text, int position, int formatIndex) {
            FormatFont &font = fontOf(formatIndex);
            if (m_frames.isEmpty()) {
                meet(font, text, 0, text.size());
                return;
            }
            for (qsizetype i = 0; i < text.size();) {
                if (position + i >= m_blockEnd)
                    enterBlock(position + int(i));
                const qsizetype stop = std::min(text.size(), qsizetype(m_blockEnd - position));
                if (m_measuring)
                    measure(font, text, i, stop, position, formatIndex);
                else
                    meet(font, text, i, stop);
                i = stop;
            }
        });
        leaveBlock();
        FontSurvey::Survey survey;
        survey.widestParagraph = m_widest;
        for (const FormatFont &font : m_fonts) {
            font.shapeSample();
            survey.fonts.append(font.font());
        }
        return survey;
    }

private:
    FormatFont &fontOf(int index)
    {
        if (index >= qsizetype(m_byFormat.size()))
            m_byFormat.resize(index + 1, nullptr);
        if (!m_byFormat[index]) {
            // Formats that differ only in colour, underline and the like share the font.
            const QFont font = layoutFont(m_formats.value(index).toCharFormat(), m_device);
            FormatFont *&shared = m_byFont[font];
            if (!shared)
                shared = &m_fonts.emplace_back(font);
            m_byFormat[index] = shared;
        }
        return *m_byFormat[index];
    }

    void enterBlock(int position)
    {
        leaveBlock();
        m_block = m_block.isValid() ? m_block.next() : m_document.begin();
        while (m_block.isValid() && m_block.position() + m_block.length() <= position)
            m_block = m_block.next();
        if (!m_block.isValid()) {
            m_blockEnd = INT_MAX;
            m_measuring = false;
            return;
        }
        const int start = m_block.position();
        m_blockEnd = start + m_block.length();
        // The next table's ends, asked of Qt once a table (it looks them up in its pieces).
        while (m_frame < m_frames.size() && m_frameLast < start) {
            m_frameFirst = m_frames[m_frame]->firstPosition();
            m_frameLast = m_frames[m_frame]->lastPosition();
            if (m_frameLast < start)
                ++m_frame;
        }
        // Without tables the lines' width is not set from the widest paragraph, and a paragraph
        // in a table wraps in its cell: then only the fonts are met.
        m_measuring = !m_frames.isEmpty() && !(m_frame < m_frames.size() && m_frameFirst <= start);
        m_tabs = m_measuring ? m_block.blockFormat().tabPositions() : QList<QTextOption::Tab>();
        m_width = m_lineStart = 0;
    }

    void leaveBlock()
    {
        if (m_measuring && m_width > 0)
            m_widest = std::max(m_widest, m_width + margins(m_block));
        m_measuring = false;
    }

    // The fonts of the text, and the fallback fonts of its characters beyond Latin-1.
    static void meet(FormatFont &font, QStringView text, qsizetype from, qsizetype to)
    {
        for (qsizetype i = from; i < to; ++i) {
            if (text[i].unicode() < 256)
                continue;
            if (const char32_t c = character(text, i, to); !DocumentText::isStructureMark(c))
                font.width(c);
        }
    }

    // The paragraph's text unbroken, all its lines in one, from its characters' widths: the
    // layout's own shaping (kerning, ligatures) makes it a little narrower.
    void measure(FormatFont &font, QStringView text, qsizetype from, qsizetype to, int position, int formatIndex)
    {
        for (qsizetype i = from; i < to; ++i) {
            const char32_t c = character(text, i, to);
            qreal advance;
            if (c < 256 && c != u'\t') {
                advance = font.latinWidth(c);
            } else if (c == u'\t') {
                advance = tabAdvance(m_width - m_lineStart, m_tabs);
            } else if (c == QChar::LineSeparator) {
                // The layout counts a paragraph's lines one after another, breaks or not; tabs
                // are measured from the line's start.
                m_lineStart = m_width;
                continue;
            } else if (c == QChar::ObjectReplacementCharacter) {
                advance = objectWidth(position + int(i), formatIndex);
            } else if (DocumentText::isStructureMark(c)) {
                continue;
            } else {
                advance = font.width(c);
            }
            m_width += advance;
        }
    }

    // The character at i, both halves of a surrogate pair in one (i is moved onto the second).
    static char32_t character(QStringView text, qsizetype &i, qsizetype end)
    {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < end && text[i + 1].isLowSurrogate())
            return QChar::surrogateToUcs4(c, text[++i].unicode());
        return c;
    }

    // How far a tab at x moves on: to the block's next tab stop, or to the next default one.
    qreal tabAdvance(qreal x, const QList<QTextOption::Tab> &tabs) const
    {
        for (const QTextOption::Tab &tab : tabs)
            if (tab.position > x)
                return tab.position - x;
        return m_defaultTabs > 0 ? (std::floor(x / m_defaultTabs) + 1) * m_defaultTabs - x : 0;
    }

    qreal objectWidth(int position, int formatIndex) const
    {
        const QTextCharFormat format = m_formats.value(formatIndex).toCharFormat();
        QAbstractTextDocumentLayout *layout = m_document.documentLayout();
        QTextObjectInterface *handler = layout->handlerForObject(format.objectType());
        if (!handler)
            return 0;
        return handler->intrinsicSize(const_cast<QTextDocument *>(&m_document), position, format).width();
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
    const QList<QTextFormat> m_formats;
    const QList<QTextFrame *> m_frames; // the top level's tables
    std::deque<FormatFont> m_fonts;
    std::vector<FormatFont *> m_byFormat;
    QHash<QFont, FormatFont *> m_byFont;

    QTextBlock m_block; // the paragraph of the text at hand, up to m_blockEnd
    int m_blockEnd = -1;
    qsizetype m_frame = 0; // the first table not before the paragraph at hand
    int m_frameFirst = -1; // its first and last positions
    int m_frameLast = -1;
    bool m_measuring = false; // whether it is of the body, in a document with tables
    QList<QTextOption::Tab> m_tabs;
    qreal m_width = 0;
    qreal m_lineStart = 0; // where the line at hand starts in m_width
    qreal m_widest = 0;
};

} // namespace

FontSurvey::Survey FontSurvey::survey(const QTextDocument &document)
{
    return Surveyor(document).run();
}
