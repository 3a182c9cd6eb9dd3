#include "MainViews.h"

#include "MainActions.h"
#include "WindowGeometry.h"
#include "platform/ClockTimer.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QWidget>

MainViews::MainViews(QMainWindow* window, QPushButton* cmdAccess, const MainActions& menuItems,
                     QStatusBar* sbrStatusBar, const QList<QWidget*>& croppedPanels, ClockTimer& tmrCurrentDateTime,
                     Menus menus, QObject* parent)
    : QObject(parent), m_window(window), m_cmdAccess(cmdAccess), m_items(menuItems), m_sbrStatusBar(sbrStatusBar),
      m_croppedPanels(croppedPanels), m_tmrCurrentDateTime(tmrCurrentDateTime), m_menus(std::move(menus)),
      m_menuBarHeight(window->menuBar()->sizeHint().height())
{
    setObjectName(QStringLiteral("MainViews"));
    if (isCompact())
        showCropped(false);
}

bool MainViews::isCompact() const
{
    return m_cmdAccess->text() == CompactCaption;
}

void MainViews::ToggleView()
{
    if (isCompact())
        ShowFullView();
    else
        ShowCompactView();
}

void MainViews::ShowCompactView()
{
    m_cmdAccess->setText(CompactCaption);
    m_items.mnuCompactScreen->setEnabled(false);
    m_items.mnuRtCompactScreen->setEnabled(false);
    m_items.mnuRtAccess->setEnabled(true);
    WindowGeometry::applyCompactSize(m_window);
    WindowGeometry::setFrameLeft(m_window, WindowGeometry::CompactFrameLeft);
    m_tmrCurrentDateTime.stop();
    m_menus.hide();
    m_sbrStatusBar->hide();
    // The focus must not stay in a field the crop no longer shows, where typing would change it unseen.
    if (QWidget* focused = m_window->focusWidget(); focused != nullptr && !isShown(focused))
        m_cmdAccess->setFocus(Qt::OtherFocusReason);
    showCropped(false);
}

void MainViews::ShowFullView()
{
    m_cmdAccess->setText(FullCaption);
    m_items.mnuCompactScreen->setEnabled(true);
    m_items.mnuRtCompactScreen->setEnabled(true);
    m_items.mnuRtAccess->setEnabled(false);
    showCropped(true);
    // The menu bar is still hidden here and measures nothing, hence the height taken at construction.
    WindowGeometry::applyFullSize(m_window, m_menuBarHeight);
    WindowGeometry::setFrameLeft(m_window, WindowGeometry::FullFrameLeft);
    m_tmrCurrentDateTime.start();
    m_menus.show();
    m_sbrStatusBar->show();
}

// The panels keep their places, so nothing on screen moves; hidden, they take no keys. The menu commands reach the
// window's keys only through the window itself while the menus are hidden.
void MainViews::showCropped(bool shown)
{
    for (QWidget* panel : m_croppedPanels)
        panel->setVisible(shown);
    for (QAction* command : {m_items.mnuActiveLaunchWindow, m_items.mnuSetLaunchTime, m_items.mnuSetLaunchWindow}) {
        if (shown)
            m_window->addAction(command);
        else
            m_window->removeAction(command);
    }
}

void MainViews::showPopUp(const QPoint& globalPos)
{
    m_items.mnuPopUp->popup(globalPos);
}

bool MainViews::isShown(const QWidget* widget) const
{
    const QWidget* window = m_window;
    if (widget == nullptr || !widget->isVisibleTo(window) || !widget->isEnabled())
        return false;
    const QRect box(widget->mapTo(window, QPoint(0, 0)), widget->size());
    return window->rect().intersects(box);
}

bool MainViews::focusNextShown(bool next)
{
    QWidget* window = m_window;
    QWidget* start = window->focusWidget() ? window->focusWidget() : window;
    QWidget* candidate = start;
    do {
        candidate = next ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        if (candidate->window() == window && candidate != window && (candidate->focusPolicy() & Qt::TabFocus) &&
            isShown(candidate) && candidate->focusProxy() == nullptr) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    } while (candidate != start);
    return false;
}
