#include "basTarvaneLoad.h"

#include "StartOptions.h"
#include "frmTarvane.h"
#include "platform/QtPrompter.h"
#include "platform/SystemClock.h"

#include <QApplication>

int basTarvaneLoad::Main(const StartOptions& options)
{
    Q_UNUSED(options) // the application clock and the launch file come with their areas
    auto clock = SystemClock::create();
    QtPrompter prompter;
    frmTarvane window(*clock, prompter);
    window.show();
    return QApplication::exec();
}
