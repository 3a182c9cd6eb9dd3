#pragma once

#include <QObject>

class Clock;
class Holds;
class LaunchClock;
class LaunchTimeEntry;
class LaunchWindow;
class MissionState;
class Prompter;
class SequenceEngine;

// The mission with no window: its state model and the classes that change it, on one clock and one prompter.
// Views take the state (read-only) and give their commands to the class that owns them; the main window builds
// one, and so can a test that wants the mission without a window.
class Mission final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Mission)

public:
    Mission(Clock& clock, Prompter& prompter, QObject* parent = nullptr);
    ~Mission() override;

    const MissionState& state() const { return *m_state; }
    Clock& clock() const { return m_clock; }
    LaunchClock& launchClock() const { return *m_launchClock; }
    LaunchTimeEntry& launchTimeEntry() const { return *m_launchTimeEntry; }
    Holds& holds() const { return *m_holds; }
    LaunchWindow& launchWindow() const { return *m_launchWindow; }
    SequenceEngine& sequence() const { return *m_sequence; }

    // A launch data file has been read in: views that keep their own time hear of it.
    void noteFileLoaded();

private:
    Clock& m_clock;
    MissionState* m_state;
    LaunchClock* m_launchClock;
    LaunchTimeEntry* m_launchTimeEntry;
    Holds* m_holds;
    LaunchWindow* m_launchWindow;
    SequenceEngine* m_sequence;
};
