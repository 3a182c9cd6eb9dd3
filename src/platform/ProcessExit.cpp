#include "ProcessExit.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

namespace {
std::function<void(int)>& handler()
{
    static std::function<void(int)> h;
    return h;
}
} // namespace

void ProcessExit::endNow(int exitCode)
{
    if (handler()) {
        handler()(exitCode);
        return;
    }
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

void ProcessExit::setHandler(std::function<void(int)> h)
{
    handler() = std::move(h);
}
