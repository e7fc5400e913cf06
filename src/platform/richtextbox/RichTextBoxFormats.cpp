// The editing area's selection formats, scroll bars and background colour.
#include "platform/richtextbox/RichTextBox.h"
#include "platform/richtextbox/wide/WideContent.h"

#include "platform/Colors.h"
#include "base/Failure.h"

#include <QTextBlock>
#include <QTextCursor>

namespace {

template <typename Setter>
QTextCharFormat formatWith(Setter set)
{
    QTextCharFormat format;
    set(format);
    return format;
}

} // namespace

// A read gives the format of the selection's first character, whichever end the caret is at:
// that is what text typed over the selection would get, and with nothing selected what typed
// text gets. (A cursor reads the character before it, which for a selection made from right
// to left is the one before the selection.)
QTextCharFormat RichTextBox::selectionFormat() const
{
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return cursor.charFormat();
    // Just after the first character; at the start of the next paragraph when the selection
    // starts with a paragraph's end, where a cursor reads the character after it.
    QTextCursor first(document());
    first.setPosition(cursor.selectionStart() + 1);
    return first.charFormat();
}

// The font as it is shown, the document's default font filling in what the text does not set
// itself.
QFont RichTextBox::selectionFont() const
{
    return selectionFormat().font().resolve(document()->defaultFont());
}

bool RichTextBox::SelBold() const { return selectionFont().bold(); }
bool RichTextBox::SelItalic() const { return selectionFont().italic(); }
bool RichTextBox::SelUnderline() const { return selectionFont().underline(); }
bool RichTextBox::SelStrikeThru() const { return selectionFont().strikeOut(); }
QString RichTextBox::SelFontName() const { return selectionFont().family(); }
float RichTextBox::SelFontSize() const { return float(selectionFont().pointSizeF()); }

void RichTextBox::setSelBold(bool bold)
{
    mergeCurrentCharFormat(formatWith([&](QTextCharFormat &f) { f.setFontWeight(bold ? QFont::Bold : QFont::Normal); }));
}

void RichTextBox::setSelItalic(bool italic)
{
    mergeCurrentCharFormat(formatWith([&](QTextCharFormat &f) { f.setFontItalic(italic); }));
}

void RichTextBox::setSelUnderline(bool underline)
{
    mergeCurrentCharFormat(formatWith([&](QTextCharFormat &f) { f.setFontUnderline(underline); }));
}

void RichTextBox::setSelStrikeThru(bool strikeThru)
{
    mergeCurrentCharFormat(formatWith([&](QTextCharFormat &f) { f.setFontStrikeOut(strikeThru); }));
}

void RichTextBox::setSelFontName(const QString &name)
{
    mergeCurrentCharFormat(formatWith([&](QTextCharFormat &f) { f.setFontFamilies(QStringList{name}); }));
}

void RichTextBox::setSelFontSize(float points)
{
    if (!(points >= 1 && points <= 1638))
        throw Failure(QStringLiteral("Invalid property value"));
    mergeCurrentCharFormat(formatWith([&](QTextCharFormat &f) { f.setFontPointSize(points); }));
}

int RichTextBox::SelAlignment() const
{
    const Qt::Alignment alignment = textCursor().blockFormat().alignment();
    if (alignment & Qt::AlignHCenter)
        return rtfCenter;
    if (alignment & Qt::AlignRight)
        return rtfRight;
    return rtfLeft;
}

void RichTextBox::setSelAlignment(int alignment)
{
    switch (alignment) {
    case rtfLeft: setAlignment(Qt::AlignLeft); break;
    case rtfRight: setAlignment(Qt::AlignRight); break;
    case rtfCenter: setAlignment(Qt::AlignHCenter); break;
    default: throw Failure(QStringLiteral("Invalid property value"));
    }
}

int RichTextBox::ScrollBars() const
{
    return (m_wide->horizontalBar() ? rtfHorizontal : 0)
        | (verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff ? rtfVertical : 0);
}

void RichTextBox::setScrollBars(int bars)
{
    if (bars < rtfNone || bars > rtfBoth)
        throw Failure(QStringLiteral("Invalid property value"));
    const bool horizontal = bars & rtfHorizontal;
    m_wide->setHorizontalBar(horizontal);
    setVerticalScrollBarPolicy(bars & rtfVertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    // Without a horizontal bar the text could not be scrolled sideways, so it wraps.
    m_wide->setUnwrapped(horizontal);
    if (!horizontal)
        setLineWrapMode(QTextEdit::WidgetWidth);
}

QTextEdit::LineWrapMode RichTextBox::wrapMode() const
{
    return m_wide->unwrapped() ? QTextEdit::NoWrap : lineWrapMode();
}

int RichTextBox::BackColor() const { return m_backColor; }

void RichTextBox::setBackColor(int colour)
{
    m_backColor = colour;
    QPalette colours = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        colours.setColor(group, QPalette::Base, Colors::toQColor(colour));
    setPalette(colours);
}
