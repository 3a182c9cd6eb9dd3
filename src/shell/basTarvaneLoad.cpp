#include "basTarvaneLoad.h"

#include "SecondsTrace.h"
#include "SpokenCallouts.h"
#include "StartOptions.h"
#include "StartupProbe.h"
#include "TarvaneArt.h"
#include "display/RoomDisplay.h"
#include "frmSplash.h"
#include "frmTarvane.h"
#include "platform/ApplicationClock.h"
#include "platform/SystemClock.h"
#include "platform/SystemSpeaker.h"
#include "platform/widgets/QtPrompter.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Runs a task once the window has been shown, so that a message box never stands in for the window.
class WhenShown final : public QObject
{
public:
    WhenShown(QWidget& window, std::function<void()> task) : QObject(&window), m_task(std::move(task))
    {
        if (window.isVisible())
            later();
        else
            window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            later();
        }
        return false;
    }

private:
    void later()
    {
        QTimer::singleShot(0, this, [this] {
            deleteLater();
            m_task();
        });
    }

    std::function<void()> m_task;
};

} // namespace

int basTarvaneLoad::Main(const StartOptions& options)
{
    StartupProbe probe;
    QApplication::setWindowIcon(TarvaneArt::appIcon());
    auto* splash = showSplash();
    probe.watchSplashPaint(*splash);
    auto systemClock = SystemClock::create();
    // The window reads this one clock for everything, whether or not the computer's clock can be set.
    ApplicationClock clock(*systemClock,
                           options.appClock ? ApplicationClock::Start::Engaged : ApplicationClock::Start::PassThrough);
    QtPrompter prompter;
    // One speaker for the whole process: the sound server's connection stays with the thread that first opened
    // it. It touches neither the speech engine nor the audio output until callouts are switched on.
    const auto speaker = SystemSpeaker::create();
    frmTarvane window(clock, prompter, *speaker, LaunchFileOptions::standard(options.launchFile));
    prompter.setMainWindow(&window);
    SecondsTrace trace(window.missionState());
    if (options.serve)
        startRoomDisplay(window, prompter, *options.serve);
    if (options.speak)
        speakForThisRun(window);
    runSplashProgress(*splash, probe);
    showMainWindow(window, *splash, probe);
    return QApplication::exec();
}

frmSplash* basTarvaneLoad::showSplash()
{
    auto* splash = new frmSplash;
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->showOnScreen();
    return splash;
}

void basTarvaneLoad::runSplashProgress(frmSplash& splash, StartupProbe& probe)
{
    splash.paintOnce();
    probe.mark(StartupProbe::Stage::ProgressStarts);
    splash.runProgress();
    probe.mark(StartupProbe::Stage::ProgressEnds);
}

void basTarvaneLoad::showMainWindow(QWidget& window, frmSplash& splash, StartupProbe& probe)
{
    window.show();
    probe.watchFirstPaint(window);
    splash.mainWindowShown();
}

// A display that cannot start leaves the program running: the count in the window is what matters most, so the
// reason waits until the window shows and then comes over it.
void basTarvaneLoad::startRoomDisplay(frmTarvane& window, Prompter& prompter, const ServeEndpoint& endpoint)
{
    RoomDisplay& display = window.roomDisplay();
    display.giveForThisRun(endpoint);
    QObject::connect(
        &display, &RoomDisplay::startFinished, &window,
        [&window, &prompter](const RoomDisplayStart& result) {
            if (result.ok)
                return;
            const QString text = u"The room display did not start.  "_s + result.error;
            std::fprintf(stderr, "Tarvane: %s\n", qPrintable(text));
            new WhenShown(window, [&prompter, text] { prompter.tell(u"Tarvane"_s, text); });
        },
        Qt::SingleShotConnection);
    display.start();
}

void basTarvaneLoad::speakForThisRun(frmTarvane& window)
{
    auto* callouts = window.findChild<SpokenCallouts*>();
    if (!callouts)
        return;
    QObject::connect(
        callouts, &SpokenCallouts::unavailable, callouts,
        [](const QString& why) { std::fprintf(stderr, "Tarvane: %s\n", qPrintable(why)); }, Qt::SingleShotConnection);
    callouts->setOn(true);
}
