#include "platform/dialogs/FontDialog.h"

#include "platform/Colors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

const FontDialog::NamedColor FontDialog::kNamedColors[16] = {
    {"Black", Colors::RGB(0, 0, 0)},        {"Maroon", Colors::RGB(128, 0, 0)},
    {"Green", Colors::RGB(0, 128, 0)},      {"Olive", Colors::RGB(128, 128, 0)},
    {"Navy", Colors::RGB(0, 0, 128)},       {"Purple", Colors::RGB(128, 0, 128)},
    {"Teal", Colors::RGB(0, 128, 128)},     {"Gray", Colors::RGB(128, 128, 128)},
    {"Silver", Colors::RGB(192, 192, 192)}, {"Red", Colors::RGB(255, 0, 0)},
    {"Lime", Colors::RGB(0, 255, 0)},       {"Yellow", Colors::RGB(255, 255, 0)},
    {"Blue", Colors::RGB(0, 0, 255)},       {"Fuchsia", Colors::RGB(255, 0, 255)},
    {"Aqua", Colors::RGB(0, 255, 255)},     {"White", Colors::RGB(255, 255, 255)},
};

namespace {

// Regular, italic, bold, bold italic: the index is italic + 2 * bold.
const char *const kStyles[] = {"Regular", "Italic", "Bold", "Bold Italic"};
const int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

QListWidgetItem *findEntry(const QListWidget *list, const QString &text, bool prefix)
{
    if (text.isEmpty())
        return nullptr;
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem *item = list->item(row);
        if (prefix ? item->text().startsWith(text, Qt::CaseInsensitive)
                   : item->text().compare(text, Qt::CaseInsensitive) == 0)
            return item;
    }
    return nullptr;
}

// The entry a field stands for: the list's highlighted entry while it begins with what was typed
// (typing jumps to it), else the entry that equals what was typed.
QListWidgetItem *chosenEntry(const QLineEdit *field, const QListWidget *list)
{
    QListWidgetItem *current = list->currentItem();
    if (current && !field->text().isEmpty() && current->text().startsWith(field->text(), Qt::CaseInsensitive))
        return current;
    return findEntry(list, field->text(), false);
}

// The installed families, each once: a family that several foundries make is listed by Qt once
// a foundry ("Nimbus Sans [urw]"), and any of them is the same family to a document.
QStringList familyNames()
{
    QStringList names;
    for (const QString &family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family))
            continue;
        const qsizetype foundry = family.indexOf(QStringLiteral(" ["));
        const QString name = foundry > 0 ? family.left(foundry) : family;
        if (names.isEmpty() || names.last() != name)
            names.append(name);
    }
    names.removeDuplicates();
    return names;
}

// Ties a field to the list below it: choosing in the list writes the field, and typing in the
// field moves the list to the first entry that begins with what was typed (or, for `exact`,
// that equals it), leaving what was typed as it is.
void linkFieldToList(QLineEdit *field, QListWidget *list, bool exact)
{
    auto typing = std::make_shared<bool>(false);
    QObject::connect(list, &QListWidget::currentTextChanged, field, [field, typing](const QString &text) {
        if (!*typing && !text.isEmpty())
            field->setText(text);
    });
    QObject::connect(field, &QLineEdit::textEdited, list, [list, typing, exact](const QString &text) {
        *typing = true;
        QListWidgetItem *item = findEntry(list, text, !exact);
        list->setCurrentItem(item);
        if (item)
            list->scrollToItem(item, QAbstractItemView::PositionAtTop);
        *typing = false;
    });
}

QIcon swatch(int color)
{
    QPixmap pixmap(24, 12);
    pixmap.fill(Colors::toQColor(color));
    QPainter painter(&pixmap);
    painter.setPen(Qt::darkGray);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

// A size typed as a number of points in the allowed range; 0 otherwise.
double typedSize(const QString &text)
{
    bool number = false;
    const double size = QLocale().toDouble(text.trimmed(), &number);
    return number ? size : text.trimmed().toDouble(); // the user's decimal point, or a dot
}

bool sizeAllowed(double size) { return size >= FontDialog::kMinimumSize && size <= FontDialog::kMaximumSize; }

} // namespace

FontDialog::FontDialog(const FontChoice &initial, bool effects, QWidget *parent)
    : QDialog(parent), m_initial(initial)
{
    setWindowTitle(QStringLiteral("Font"));
    buildWidgets(effects);
    showFont(initial);
    refresh();
    // The lists would each ask for the width of a wide list; the family names need less.
    resize(QSize(600, 440).expandedTo(minimumSizeHint()));
}

void FontDialog::buildWidgets(bool effects)
{
    auto *columns = new QGridLayout;
    auto addColumn = [&](int column, const QString &caption, QLineEdit *&field, QListWidget *&list) {
        field = new QLineEdit(this);
        list = new QListWidget(this);
        auto *label = new QLabel(caption, this);
        label->setBuddy(field);
        columns->addWidget(label, 0, column);
        columns->addWidget(field, 1, column);
        columns->addWidget(list, 2, column);
    };
    addColumn(0, QStringLiteral("&Font:"), m_familyField, m_familyList);
    addColumn(1, QStringLiteral("Font st&yle:"), m_styleField, m_styleList);
    addColumn(2, QStringLiteral("&Size:"), m_sizeField, m_sizeList);
    columns->setColumnStretch(0, 3);
    columns->setColumnStretch(1, 2);
    columns->setColumnStretch(2, 1);

    m_familyList->addItems(familyNames());
    for (const char *style : kStyles)
        m_styleList->addItem(QString::fromLatin1(style));
    for (int size : kSizes)
        m_sizeList->addItem(QString::number(size));
    m_familyList->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 14);
    m_styleList->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Bold Italic")) + 40);
    m_sizeList->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("1638")) + 40);
    linkFieldToList(m_familyField, m_familyList, false);
    linkFieldToList(m_styleField, m_styleList, false);
    linkFieldToList(m_sizeField, m_sizeList, true);

    auto *effectsBox = new QGroupBox(QStringLiteral("Effects"), this);
    auto *effectsLayout = new QVBoxLayout(effectsBox);
    m_strikeout = new QCheckBox(QStringLiteral("Stri&keout"), effectsBox);
    m_underline = new QCheckBox(QStringLiteral("&Underline"), effectsBox);
    m_colorList = new QComboBox(effectsBox);
    auto *colorLabel = new QLabel(QStringLiteral("&Color:"), effectsBox);
    colorLabel->setBuddy(m_colorList);
    effectsLayout->addWidget(m_strikeout);
    effectsLayout->addWidget(m_underline);
    effectsLayout->addWidget(colorLabel);
    effectsLayout->addWidget(m_colorList);
    effectsLayout->addStretch();
    effectsBox->setVisible(effects);

    auto *sampleBox = new QGroupBox(QStringLiteral("Sample"), this);
    auto *sampleLayout = new QVBoxLayout(sampleBox);
    m_sample = new QLabel(QStringLiteral("AaBbYyZz"), sampleBox);
    m_sample->setAlignment(Qt::AlignCenter);
    // A large size shows as much of the sample as fits instead of growing the dialog.
    m_sample->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_sample->setMinimumHeight(72);
    m_sample->setFrameShape(QFrame::StyledPanel);
    m_sample->setAutoFillBackground(true);
    sampleLayout->addWidget(m_sample);

    auto *lower = new QHBoxLayout;
    lower->addWidget(effectsBox, 1);
    lower->addWidget(sampleBox, 2);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, [this] {
        if (canAccept())
            accept();
    });
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(lower);
    layout->addWidget(m_buttons);

    for (QLineEdit *field : {m_familyField, m_styleField, m_sizeField})
        connect(field, &QLineEdit::textChanged, this, &FontDialog::refresh);
    for (QListWidget *list : {m_familyList, m_styleList})
        connect(list, &QListWidget::currentRowChanged, this, &FontDialog::refresh);
    connect(m_strikeout, &QCheckBox::toggled, this, &FontDialog::refresh);
    connect(m_underline, &QCheckBox::toggled, this, &FontDialog::refresh);
    connect(m_colorList, &QComboBox::currentIndexChanged, this, &FontDialog::refresh);
}

void FontDialog::fillColorList(int current)
{
    m_colorList->clear();
    for (const NamedColor &named : kNamedColors)
        m_colorList->addItem(swatch(named.color), QString::fromLatin1(named.name), named.color);
    int index = m_colorList->findData(current);
    // A colour that has no name here is offered as it is, so that OK keeps it.
    if (index < 0) {
        m_colorList->addItem(swatch(current), QStringLiteral("Custom"), current);
        index = m_colorList->count() - 1;
    }
    m_colorList->setCurrentIndex(index);
}

void FontDialog::showFont(const FontChoice &font)
{
    auto choose = [](QLineEdit *field, QListWidget *list, const QString &text) {
        field->setText(text);
        QListWidgetItem *item = findEntry(list, text, false);
        list->setCurrentItem(item);
        if (item)
            list->scrollToItem(item, QAbstractItemView::PositionAtTop);
    };
    choose(m_familyField, m_familyList, font.name);
    choose(m_styleField, m_styleList, QString::fromLatin1(kStyles[int(font.italic) + 2 * int(font.bold)]));
    choose(m_sizeField, m_sizeList, font.size > 0 ? QString::number(font.size) : QString());
    m_strikeout->setChecked(font.strikethru);
    m_underline->setChecked(font.underline);
    fillColorList(font.color & 0xFFFFFF);
}

bool FontDialog::canAccept() const
{
    return chosenEntry(m_familyField, m_familyList) && chosenEntry(m_styleField, m_styleList)
        && sizeAllowed(typedSize(m_sizeField->text()));
}

FontChoice FontDialog::Choice() const
{
    FontChoice font = m_initial;
    if (const QListWidgetItem *family = chosenEntry(m_familyField, m_familyList))
        font.name = family->text();
    if (const QListWidgetItem *style = chosenEntry(m_styleField, m_styleList)) {
        const int index = m_styleList->row(style);
        font.italic = index & 1;
        font.bold = index & 2;
    }
    const double size = typedSize(m_sizeField->text());
    if (sizeAllowed(size))
        font.size = size;
    font.strikethru = m_strikeout->isChecked();
    font.underline = m_underline->isChecked();
    if (m_colorList->currentIndex() >= 0)
        font.color = m_colorList->currentData().toInt();
    return font;
}

void FontDialog::refresh()
{
    const FontChoice font = Choice();
    QFont shown(font.name.isEmpty() ? this->font().family() : font.name);
    shown.setPointSizeF(font.size > 0 ? font.size : this->font().pointSizeF());
    shown.setBold(font.bold);
    shown.setItalic(font.italic);
    shown.setUnderline(font.underline);
    shown.setStrikeOut(font.strikethru);
    m_sample->setFont(shown);
    QPalette colours = m_sample->palette();
    colours.setColor(QPalette::WindowText, Colors::toQColor(font.color));
    colours.setColor(QPalette::Window, colours.color(QPalette::Base));
    m_sample->setPalette(colours);
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(canAccept());
}
