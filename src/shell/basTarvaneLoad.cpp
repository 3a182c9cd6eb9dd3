#include "basTarvaneLoad.h"

#include "SecondsTrace.h"
#include "StartOptions.h"
#include "StartupProbe.h"
#include "TarvaneArt.h"
#include "display/RoomDisplayServer.h"
#include "frmSplash.h"
#include "frmTarvane.h"
#include "platform/ApplicationClock.h"
#include "platform/SystemClock.h"
#include "platform/widgets/QtPrompter.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

using namespace Qt::StringLiterals;

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
    frmTarvane window(clock, prompter, LaunchFileOptions::standard(options.launchFile));
    prompter.setMainWindow(&window);
    SecondsTrace trace(window.missionState());
    if (options.serve)
        startRoomDisplay(window, prompter, *options.serve);
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

// A display that cannot start leaves the program running: the count in the window is what matters most.
void basTarvaneLoad::startRoomDisplay(frmTarvane& window, Prompter& prompter, const ServeEndpoint& endpoint)
{
    const RoomDisplayServer::StartResult result = window.roomDisplay().start(endpoint.address, endpoint.port);
    if (result.ok)
        return;
    const QString text = u"The room display did not start.  "_s + result.error;
    std::fprintf(stderr, "Tarvane: %s\n", qPrintable(text));
    QTimer::singleShot(0, &window, [&prompter, text] { prompter.tell(u"Tarvane"_s, text); });
}
