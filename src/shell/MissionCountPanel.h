#pragma once

#include <QWidget>

class MissionState;

// The count labels' container, there for a screen reader: its accessible name is "Mission count" and its
// accessible description says the count as a person says it ("T minus 0 days 00:09:51", ", holding" while held,
// "No launch time" while the count shows dashes). The description is read from the mission state when asked for;
// an accessibility event goes out only when the phase or the holding changes, never at each second.
class MissionCountPanel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MissionCountPanel)

public:
    static inline const QString AccessibleName = QStringLiteral("Mission count");

    MissionCountPanel(const MissionState& state, QWidget* parent);

    QString spokenCount() const;
    // Call when the phase or the holding may have changed: tells assistive tools when either really did.
    void noteMaybeChanged();

signals:
    // Sent with each accessibility event about the count.
    void phaseOrHoldingTold();

private:
    QString phaseAndHolding() const;

    const MissionState& m_state;
    QString m_lastTold;
};
