#pragma once

#include <QObject>
#include <QPointer>
#include <QSet>

#include <functional>

class QKeyEvent;
class QWidget;

// While the splash is up, a key press anywhere in the program closes the splash and does nothing else. Under a
// window manager the splash never has the keyboard: keys typed while it is up go to the main window, where they
// would switch the view or open the exit prompt. This filter sits on the application object and claims them,
// the shortcut override too, so that no shortcut or access key acts on them first. Keys for a modal message box
// (one shown while the program starts) go through, and the splash steps aside while such a box is open so that
// the box is never hidden under it. A chord is claimed whole: the splash closes on its first key (Ctrl, say), and
// the claim goes on until all of its keys are up, so that the rest of it (the S of Ctrl+S) does nothing either.
class SplashKeyClaim final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SplashKeyClaim)

public:
    // splash: the splash window, which owns this filter; keyPressed: what a claimed key does (asks it to close).
    SplashKeyClaim(QWidget& splash, std::function<void()> keyPressed);
    ~SplashKeyClaim() override;

    // Puts the filter first in line: application filters run last installed first.
    void install();
    void remove();
    // The splash is closing: the claim ends now, or, when keys it claimed are still down, once they are all up.
    // Until then it belongs to the application, and it deletes itself at the end.
    void releaseWhenKeysUp();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool forModalBox(QObject* receiver) const;
    void stepAsideFor(QObject* watched, QEvent* event);
    // Whether key, after the splash closed, belongs to the chord claimed, as far as it shows.
    bool inChord(const QKeyEvent& key);
    void finish();

    QPointer<QWidget> m_splash;
    std::function<void()> m_keyPressed;
    QSet<int> m_held; // the keys claimed and not yet released
    bool m_installed = false;
    bool m_steppedAside = false;
    bool m_releasing = false;
};
