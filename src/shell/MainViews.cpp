#include "MainViews.h"

#include "WindowGeometry.h"
#include "platform/ClockTimer.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QWidget>

MainViews::MainViews(const Controls& controls, ClockTimer& tmrCurrentDateTime, Menus menus, QObject* parent)
    : QObject(parent), m_ui(controls), m_tmrCurrentDateTime(tmrCurrentDateTime), m_menus(std::move(menus)),
      m_menuBarHeight(controls.window->menuBar()->sizeHint().height())
{
    setObjectName(QStringLiteral("MainViews"));
    if (isCompact())
        showCropped(false);
}

bool MainViews::isCompact() const
{
    return m_ui.cmdAccess->text() == CompactCaption;
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
    m_ui.cmdAccess->setText(CompactCaption);
    m_ui.mnuCompactScreen->setEnabled(false);
    m_ui.mnuRtCompactScreen->setEnabled(false);
    m_ui.mnuRtAccess->setEnabled(true);
    WindowGeometry::applyCompactSize(m_ui.window);
    WindowGeometry::setFrameLeft(m_ui.window, WindowGeometry::CompactFrameLeft);
    m_tmrCurrentDateTime.stop();
    m_menus.hide();
    m_ui.sbrStatusBar->hide();
    // The focus must not stay in a field the crop no longer shows, where typing would change it unseen.
    if (QWidget* focused = m_ui.window->focusWidget(); focused != nullptr && !isShown(focused))
        m_ui.cmdAccess->setFocus(Qt::OtherFocusReason);
    showCropped(false);
}

void MainViews::ShowFullView()
{
    m_ui.cmdAccess->setText(FullCaption);
    m_ui.mnuCompactScreen->setEnabled(true);
    m_ui.mnuRtCompactScreen->setEnabled(true);
    m_ui.mnuRtAccess->setEnabled(false);
    showCropped(true);
    // The menu bar is still hidden here and measures nothing, hence the height taken at construction.
    WindowGeometry::applyFullSize(m_ui.window, m_menuBarHeight);
    WindowGeometry::setFrameLeft(m_ui.window, WindowGeometry::FullFrameLeft);
    m_tmrCurrentDateTime.start();
    m_menus.show();
    m_ui.sbrStatusBar->show();
}

// The panels keep their places, so nothing on screen moves; hidden, they take no keys. The menu commands reach the
// window's keys only through the window itself while the menus are hidden.
void MainViews::showCropped(bool shown)
{
    for (QWidget* panel : m_ui.croppedPanels)
        panel->setVisible(shown);
    for (QAction* command : m_ui.croppedCommands) {
        if (shown)
            m_ui.window->addAction(command);
        else
            m_ui.window->removeAction(command);
    }
}

void MainViews::showPopUp(const QPoint& globalPos)
{
    m_ui.mnuPopUp->popup(globalPos);
}

bool MainViews::isShown(const QWidget* widget) const
{
    const QWidget* window = m_ui.window;
    if (widget == nullptr || !widget->isVisibleTo(window) || !widget->isEnabled())
        return false;
    const QRect box(widget->mapTo(window, QPoint(0, 0)), widget->size());
    return window->rect().intersects(box);
}

bool MainViews::focusNextShown(bool next)
{
    QWidget* window = m_ui.window;
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
