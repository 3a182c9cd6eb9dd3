#include "basTarvaneLoad.h"

#include "StartOptions.h"
#include "frmTarvane.h"
#include "platform/ApplicationClock.h"
#include "platform/QtPrompter.h"
#include "platform/SystemClock.h"

#include <QApplication>

int basTarvaneLoad::Main(const StartOptions& options)
{
    auto systemClock = SystemClock::create();
    // The window reads this one clock for everything, whether or not the computer's clock can be set.
    ApplicationClock clock(*systemClock,
                           options.appClock ? ApplicationClock::Start::Engaged : ApplicationClock::Start::PassThrough);
    QtPrompter prompter;
    frmTarvane window(clock, prompter, LaunchFileOptions::standard(options.launchFile));
    window.show();
    return QApplication::exec();
}
