#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class ClockTimer;
class QMainWindow;
class QPoint;
class QPushButton;
class QStatusBar;
class QWidget;
struct MainActions;

// The two views of the main window. Which one shows is told by the caption of cmdAccess alone: "&Access Launch
// Data" offers the full view, so the compact view is showing.
class MainViews final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainViews)

public:
    struct Menus
    {
        std::function<void()> show;
        std::function<void()> hide;
    };

    static inline const QString CompactCaption = QStringLiteral("&Access Launch Data");
    static inline const QString FullCaption = QStringLiteral("Com&pact Screen");

    // Build it while the menus are still shown, and after the window has taken the menus' shortcuts: it measures
    // the menu bar for the full view. It writes the view switch (cmdAccess and the view items of the menus),
    // shows or hides the status bar and the panels the compact view crops away; the date timer runs in the full
    // view only.
    MainViews(QMainWindow* window, QPushButton* cmdAccess, const MainActions& menuItems, QStatusBar* sbrStatusBar,
              const QList<QWidget*>& croppedPanels, ClockTimer& tmrCurrentDateTime, Menus menus, QObject* parent);

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

    QMainWindow* m_window;
    QPushButton* m_cmdAccess;
    const MainActions& m_items;
    QStatusBar* m_sbrStatusBar;
    // What the compact view crops away: the panels are hidden while it shows, so that no access key, focus or
    // screen reader reaches them, and the shortcuts of the menu commands that change them do nothing there.
    const QList<QWidget*> m_croppedPanels;
    ClockTimer& m_tmrCurrentDateTime;
    Menus m_menus;
    int m_menuBarHeight = 0;
};
