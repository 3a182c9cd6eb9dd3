#include "LayoutKit.h"

#include "clock/TimeField.h"
#include "platform/widgets/ClickLineEdit.h"
#include "platform/widgets/Colours.h"
#include "platform/widgets/UpScrollBar.h"
#include "platform/widgets/WatchedLabel.h"

#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;
using Metrics::px;
using Metrics::twipsRect;
using Metrics::uiFont;

WatchedLabel* LayoutKit::label(QWidget* parent, const QString& name, const QString& text, QRect twips,
                               const QFont& font, Qt::Alignment align)
{
    auto* l = place(new WatchedLabel(text, parent), name, twips, font);
    l->setAlignment(align);
    return l;
}

ClickLineEdit* LayoutKit::textBox(QWidget* parent, const QString& name, QRect twips, int maxLength, bool locked)
{
    auto* t = place(new ClickLineEdit(parent), name, twips, uiFont(12, true));
    t->setMaxLength(maxLength);
    t->setReadOnly(locked);
    return t;
}

UpScrollBar* LayoutKit::scrollBar(QWidget* parent, const QString& name, QRect twips, int maximum)
{
    auto* s = new UpScrollBar(parent);
    s->setObjectName(name);
    s->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    s->setLevelRange(0, maximum);
    return s;
}

QPushButton* LayoutKit::button(QWidget* parent, const QString& name, const QString& caption, QRect twips,
                               const QFont& font)
{
    return place(new QPushButton(caption, parent), name, twips, font);
}

QLabel* LayoutKit::plainLabel(QWidget* parent, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

WatchedLabel* LayoutKit::hiddenLabel(QWidget* parent, const QString& name, QRect twips)
{
    auto* l = label(parent, name, QString(), twips, uiFont(8.25));
    l->hide();
    return l;
}

void LayoutKit::entryPanel(QWidget* panel, const QString& name, QRect twips, const QString& titleName,
                           const QString& title, QRect titleTwips)
{
    panel->setObjectName(name);
    panel->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    Colours::paintBackground(panel, Colours::Silver);
    label(panel, titleName, title, titleTwips, uiFont(9.75, true), Qt::AlignCenter);
}

void LayoutKit::growToText(QWidget* w)
{
    const int needed = w->sizeHint().height();
    if (needed <= w->height())
        return;
    QRect box = w->geometry();
    box.adjust(0, -(needed - box.height()) / 2, 0, 0);
    box.setHeight(needed);
    w->setGeometry(box);
}

void LayoutKit::name(std::initializer_list<std::pair<QWidget*, QString>> names)
{
    for (const auto& [widget, accessibleName] : names)
        widget->setAccessibleName(accessibleName);
}

LayoutKit::TimeEntry LayoutKit::timeEntry(QWidget* parent, QPoint first, const QString& suffix, bool locked,
                                          const std::array<QString, 3>& names)
{
    const std::array<QString, 3> units = {u"Hours"_s, u"Minutes"_s, u"Seconds"_s};
    const std::array<int, 3> tops = {23, 59, 59};
    constexpr int Step = 960;       // from one field to the next
    constexpr int FieldWidth = 855; // where the field's bar begins
    TimeEntry entry{};
    for (size_t i = 0; i < units.size(); ++i) {
        const int left = first.x() + Step * static_cast<int>(i);
        entry.fields[i] = textBox(parent, u"txt"_s + units[i] + suffix, {left, first.y(), FieldWidth, 420}, 2, locked);
        entry.bars[i] = scrollBar(parent, u"vsb"_s + units[i] + suffix, {left + FieldWidth, 1440, 135, 735}, tops[i]);
    }
    for (size_t i = 0; i < units.size(); ++i) {
        entry.bars[i]->raise();
        entry.fields[i]->setTextMargins(px(30), 0, 0, 0);
        entry.fields[i]->setAccessibleName(names[i]);
        entry.bars[i]->setAccessibleName(names[i] + u" up or down"_s);
    }
    return entry;
}

void LayoutKit::showText(QLineEdit* field, const QString& text)
{
    if (field->text() != text)
        field->setText(text);
}

void LayoutKit::showTimeField(TimeField& field, ClickLineEdit* text, UpScrollBar* bar)
{
    text->setText(field.text());
    bar->setLevel(field.level());
    // Each side compares before it signals, so a change goes round once.
    QObject::connect(text, &QLineEdit::textChanged, &field, &TimeField::setText);
    QObject::connect(&field, &TimeField::textChanged, text, [text](const QString& value) { showText(text, value); });
    QObject::connect(bar, &UpScrollBar::levelChanged, &field, &TimeField::setLevel);
    QObject::connect(&field, &TimeField::levelChanged, bar, &UpScrollBar::setLevel);
}
