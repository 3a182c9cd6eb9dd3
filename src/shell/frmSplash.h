#pragma once

#include "SplashSequence.h"

#include <QTimer>
#include <QWidget>

class ClickPanel;
class QLabel;
class QProgressBar;
class SplashKeyClaim;

// The splash window shown while the program starts. It plays the start-up progress, and closes on a key, a click
// on its frame or its timer, but never before the main window is on screen: a request that comes earlier is kept
// until then.
class frmSplash final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmSplash)

public:
    explicit frmSplash(QWidget* parent = nullptr);

    // Shows the splash and hands it to the window system, without waiting; from now on it claims every key.
    void showOnScreen();
    // Paints the splash if the window system has put it on screen by now; one pass over pending non-input
    // events, no waiting.
    void paintOnce();
    // Plays the whole progress sequence, setting every value in order; repaints the bar at most every 16 ms
    // and once at the end. Processes no events.
    void runProgress();
    // One value of the sequence.
    void showStep(const SplashSequence::Step& step);
    // From now on a close request closes the splash; one that came earlier closes it now.
    void mainWindowShown();

    void tmrSplash_Timer();
    const QTimer& tmrSplash() const { return m_tmrSplash; }
    bool closeRequested() const { return m_closeRequested; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Form_Load();
    void requestClose();
    QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, QRect box, const QFont& font);

    ClickPanel* m_frame = nullptr;
    QLabel* m_lblProductName = nullptr;
    QLabel* m_lblVersion = nullptr;
    QProgressBar* m_progressBar = nullptr;
    QLabel* m_lblLoadingData = nullptr;
    QTimer m_tmrSplash;
    SplashKeyClaim* m_keyClaim = nullptr;
    bool m_mainWindowShown = false;
    bool m_closeRequested = false;
    bool m_painted = false;
};
