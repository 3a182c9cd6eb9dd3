#pragma once

#include "MainWindowFixture.h"

#include <QObject>

// The base of every GUI test class: it holds the main window's fixture and runs its checks around each test. A
// test class with init() or cleanup() of its own calls these first.
class GuiTest : public QObject
{
    Q_OBJECT

protected:
    MainWindowFixture f;

protected slots:
    void init() { f.init(); }
    void cleanup() { f.cleanup(); }
};
