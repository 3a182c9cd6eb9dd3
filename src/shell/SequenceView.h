#pragma once

#include <QObject>
#include <QPointer>

class Mission;
class Prompter;
class QAction;
class QWidget;
class frmSequence;

// The countdown sequence as one of the main window's views: the menu item it is handed opens the modeless
// window "Countdown Sequence", which shows the milestones with where the count stands and changes them.
class SequenceView final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SequenceView)

public:
    // window: the main window, over which the sequence's window opens and which owns both.
    SequenceView(Mission& mission, Prompter& prompter, QAction* item, QWidget* window);

    // Opens the sequence's window, or raises it when it is open.
    void showWindow();

private:
    Mission& m_mission;
    Prompter& m_prompter;
    QWidget* m_window;
    QPointer<frmSequence> m_frmSequence;
};
