#pragma once

#include <QObject>
#include <QString>

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
