#pragma once

#include "SplashSequence.h"

#include <QTimer>
#include <QWidget>

class ClickPanel;
class QLabel;
class QProgressBar;

// The splash window shown while the program starts. It plays the start-up progress, and closes on a key, a click
// on its frame or its timer, but never before the main window is on screen: a request that comes earlier is kept
// until then.
class frmSplash final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmSplash)

public:
    explicit frmSplash(QWidget* parent = nullptr);

    // Shows the splash and lets the window system put it on screen, taking no user input meanwhile.
    void showOnScreen();
    // Plays the whole progress sequence, painting each value at once; processes no events.
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
    bool m_mainWindowShown = false;
    bool m_closeRequested = false;
};
