#pragma once

#include "platform/widgets/Metrics.h"

#include <QFont>
#include <QRect>
#include <QString>

#include <array>
#include <initializer_list>
#include <utility>

class ClickLineEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class TimeField;
class UpScrollBar;
class WatchedLabel;

// What the panels of the main window build their controls with: every control at its place in the layout
// (positions in twips, relative to its parent) and with its name.
namespace LayoutKit {

template <typename W> W* place(W* widget, const QString& name, QRect twips, const QFont& font)
{
    widget->setObjectName(name);
    widget->setGeometry(Metrics::twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    widget->setFont(font);
    return widget;
}

WatchedLabel* label(QWidget* parent, const QString& name, const QString& text, QRect twips, const QFont& font,
                    Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop);
ClickLineEdit* textBox(QWidget* parent, const QString& name, QRect twips, int maxLength, bool locked);
UpScrollBar* scrollBar(QWidget* parent, const QString& name, QRect twips, int maximum);
QPushButton* button(QWidget* parent, const QString& name, const QString& caption, QRect twips, const QFont& font);
// A label for a laid-out window that shows text as it is, never as markup (names and addresses come from
// operators and the network).
QLabel* plainLabel(QWidget* parent, const QString& name);
// A label that never shows: it only keeps a value for whoever reads it by name.
WatchedLabel* hiddenLabel(QWidget* parent, const QString& name, QRect twips);

// An entry panel in its place on the window's plate: silver, with its title at the top.
void entryPanel(QWidget* panel, const QString& name, QRect twips, const QString& titleName, const QString& title,
                QRect titleTwips);
// A control whose box in the layout is lower than this toolkit draws its text grows about its middle.
void growToText(QWidget* w);
// Controls whose own text does not say what they are, for screen readers.
void name(std::initializer_list<std::pair<QWidget*, QString>> names);

// The three fields of a time entry (hours, minutes, seconds) and their scroll bars, named txtHours, vsbHours, …
// with the suffix given, the first field's top left at first; each field before its bar, which is the order Tab
// takes. Each bar overlaps the next field by two pixels; the bars lie on top so that their arrows stay whole, and
// the fields keep their digits clear of them. A screen reader hears each field's name, and its bar's as
// "... up or down".
struct TimeEntry
{
    std::array<ClickLineEdit*, 3> fields;
    std::array<UpScrollBar*, 3> bars;
};
TimeEntry timeEntry(QWidget* parent, QPoint first, const QString& suffix, bool locked,
                    const std::array<QString, 3>& names);

// Writes text into a field only when it differs: a write moves the cursor to the end and drops the undo steps,
// which would disturb typing that the field has just passed on.
void showText(QLineEdit* field, const QString& text);
// Shows a time entry field in its text box and scroll bar, and hands what the operator does to either back to it.
void showTimeField(TimeField& field, ClickLineEdit* text, UpScrollBar* bar);

} // namespace LayoutKit
