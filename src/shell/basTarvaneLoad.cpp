#include "basTarvaneLoad.h"

#include "SecondsTrace.h"
#include "StartOptions.h"
#include "StartupProbe.h"
#include "TarvaneArt.h"
#include "frmSplash.h"
#include "frmTarvane.h"
#include "platform/ApplicationClock.h"
#include "platform/QtPrompter.h"
#include "platform/SystemClock.h"
#include "platform/WatchedLabel.h"

#include <QApplication>

int basTarvaneLoad::Main(const StartOptions& options)
{
    StartupProbe probe;
    QApplication::setWindowIcon(TarvaneArt::appIcon());
    auto* splash = ShowSplash();
    probe.watchSplashPaint(*splash);
    auto systemClock = SystemClock::create();
    // The window reads this one clock for everything, whether or not the computer's clock can be set.
    ApplicationClock clock(*systemClock,
                           options.appClock ? ApplicationClock::Start::Engaged : ApplicationClock::Start::PassThrough);
    QtPrompter prompter;
    frmTarvane window(clock, prompter, LaunchFileOptions::standard(options.launchFile));
    const MainControls& count = window.controls();
    SecondsTrace trace(count.lblTMinus, count.lblDays, count.lblHours, count.lblMinutes, count.lblSeconds);
    RunSplashProgress(*splash, probe);
    ShowMainWindow(window, *splash, probe);
    return QApplication::exec();
}

frmSplash* basTarvaneLoad::ShowSplash()
{
    auto* splash = new frmSplash;
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->showOnScreen();
    return splash;
}

void basTarvaneLoad::RunSplashProgress(frmSplash& splash, StartupProbe& probe)
{
    splash.paintOnce();
    probe.mark(StartupProbe::Stage::ProgressStarts);
    splash.runProgress();
    probe.mark(StartupProbe::Stage::ProgressEnds);
}

void basTarvaneLoad::ShowMainWindow(QWidget& window, frmSplash& splash, StartupProbe& probe)
{
    window.show();
    probe.watchFirstPaint(window);
    splash.mainWindowShown();
}
