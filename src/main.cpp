#include "platform/ApplicationInfo.h"
#include "shell/StartOptions.h"
#include "shell/basTarvaneLoad.h"

#include <QApplication>

using namespace Qt::StringLiterals;

namespace {
void describe()
{
    // No organisation name: per-user data goes to ~/.local/share/Tarvane, settings to ~/.config/Tarvane.
    QCoreApplication::setApplicationName(ApplicationInfo::Name);
    QGuiApplication::setDesktopFileName(QStringLiteral(TARVANE_APP_ID));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARVANE_VERSION_STRING));
}
} // namespace

int main(int argc, char* argv[])
{
    StartOptions options;
    {
        // The command line is read before any window system is needed, so --help works without a display.
        QCoreApplication reader(argc, argv);
        describe();
        options = StartOptions::parse(QCoreApplication::arguments());
    }
    QApplication app(argc, argv);
    describe();
    return basTarvaneLoad::Main(options);
}
