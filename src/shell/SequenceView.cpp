#include "SequenceView.h"

#include "frmSequence.h"

#include <QAction>
#include <QWidget>

using namespace Qt::StringLiterals;

SequenceView::SequenceView(Mission& mission, Prompter& prompter, QAction* item, QWidget* window)
    : QObject(window), m_mission(mission), m_prompter(prompter), m_window(window)
{
    setObjectName(u"SequenceView"_s);
    connect(item, &QAction::triggered, this, &SequenceView::showWindow);
}

void SequenceView::showWindow()
{
    if (!m_frmSequence)
        m_frmSequence = new frmSequence(m_mission, m_prompter, m_window);
    m_frmSequence->show();
    m_frmSequence->raise();
    m_frmSequence->activateWindow();
}
