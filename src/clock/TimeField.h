#pragma once

#include "EntryTexts.h"

#include <QObject>
#include <QString>

#include <array>

// One two-digit field of a time entry: the text it shows and the level of the scroll bar beside it. The two are
// kept apart: the bar writes its level into the text, but a launch data file (or a declined entry) changes only
// the text, and the next step of the bar goes on from its own level. Both compare before they signal.
class TimeField final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TimeField)
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(int level READ level WRITE setLevel NOTIFY levelChanged)

public:
    static constexpr int MinimumLevel = 0;

    TimeField(const QString& name, int maximumLevel, int level, const QString& text, QObject* parent);

    QString text() const { return m_text; }
    // Takes at most two characters, as the field on screen does.
    void setText(const QString& text);
    int level() const { return m_level; }
    // Out-of-range levels stop at the nearer end.
    void setLevel(int level);
    int maximumLevel() const { return m_maximumLevel; }
    // Raises the level by one (at the top it stays there).
    void stepUp() { setLevel(m_level + 1); }

signals:
    void textChanged(const QString& text);
    void levelChanged(int level);

private:
    const int m_maximumLevel;
    int m_level;
    QString m_text;
};

// The three fields of a time entry: hours, minutes, seconds.
using TimeFields = std::array<TimeField*, 3>;
// Their texts as a launch data file keeps them; setting them goes seconds first, then minutes, then hours, each
// with its change reaction.
EntryTexts textsOf(const TimeFields& fields);
void setTexts(const TimeFields& fields, const EntryTexts& texts);
