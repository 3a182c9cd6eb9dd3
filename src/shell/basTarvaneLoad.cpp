#include "basTarvaneLoad.h"

#include "frmTarvane.h"
#include "platform/QtPrompter.h"
#include "platform/SystemClock.h"

#include <QApplication>

int basTarvaneLoad::Main()
{
    auto clock = SystemClock::create();
    QtPrompter prompter;
    frmTarvane window(*clock, prompter);
    window.show();
    return QApplication::exec();
}
