#include "basTarvaneLoad.h"

#include "StartOptions.h"
#include "frmTarvane.h"
#include "platform/QtPrompter.h"
#include "platform/SystemClock.h"

#include <QApplication>

int basTarvaneLoad::Main(const StartOptions& options)
{
    auto clock = SystemClock::create();
    QtPrompter prompter;
    frmTarvane window(*clock, prompter, LaunchFileOptions::standard(options.launchFile));
    window.show();
    return QApplication::exec();
}
