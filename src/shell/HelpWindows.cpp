#include "HelpWindows.h"

#include "frmAbout.h"
#include "frmTechSupport.h"

HelpWindows::HelpWindows(QWidget* owner) : QObject(owner), m_owner(owner)
{
    setObjectName(QStringLiteral("HelpWindows"));
}

template <typename Window> void HelpWindows::present(QPointer<Window>& window)
{
    // A closed window is on its way out; a new one takes its place.
    if (!window || !window->isVisible()) {
        window = new Window(m_owner);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (window->isMinimized())
        window->showNormal();
    window->show();
    window->raise();
    window->activateWindow();
}

void HelpWindows::showAbout()
{
    present(m_about);
}

void HelpWindows::showTechSupport()
{
    present(m_techSupport);
}
