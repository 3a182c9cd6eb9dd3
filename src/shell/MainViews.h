#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class ClockTimer;
class QAction;
class QMainWindow;
class QMenu;
class QPoint;
class QPushButton;
class QStatusBar;
class QWidget;

// The two views of the main window. Which one shows is told by the caption of cmdAccess alone: "&Access Launch
// Data" offers the full view, so the compact view is showing.
class MainViews final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainViews)

public:
    // The view switch and what it shows and hides, which only this class writes.
    struct Controls
    {
        QMainWindow* window = nullptr;
        QPushButton* cmdAccess = nullptr;
        QAction* mnuCompactScreen = nullptr;
        QAction* mnuRtCompactScreen = nullptr;
        QAction* mnuRtAccess = nullptr;
        QMenu* mnuPopUp = nullptr;
        QStatusBar* sbrStatusBar = nullptr;
        // What the compact view crops away, and the menu commands that change it: the panels are hidden while the
        // compact view shows, so that no access key, focus or screen reader reaches them, and the commands' shortcuts
        // do nothing there.
        QList<QWidget*> croppedPanels;
        QList<QAction*> croppedCommands;
    };
    struct Menus
    {
        std::function<void()> show;
        std::function<void()> hide;
    };

    static inline const QString CompactCaption = QStringLiteral("&Access Launch Data");
    static inline const QString FullCaption = QStringLiteral("Com&pact Screen");

    // Build it while the menus are still shown: it measures the menu bar for the full view. The date timer runs
    // in the full view only.
    MainViews(const Controls& controls, ClockTimer& tmrCurrentDateTime, Menus menus, QObject* parent);

    void ToggleView();
    void ShowCompactView();
    void ShowFullView();
    bool isCompact() const;

    // The pop-up menu at a point of the screen; it does not wait for a choice.
    void showPopUp(const QPoint& globalPos);

    // Tab and Shift+Tab in the compact view: the next control of the focus chain that the cropped window shows,
    // never one of the panels below it. Returns false when there is none.
    bool focusNextShown(bool next);
    // A control the window shows: inside its client area, visible and enabled.
    bool isShown(const QWidget* widget) const;

private:
    void showCropped(bool shown);

    const Controls m_ui;
    ClockTimer& m_tmrCurrentDateTime;
    Menus m_menus;
    int m_menuBarHeight = 0;
};
