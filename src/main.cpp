#include "shell/StartOptions.h"
#include "shell/basTarvaneLoad.h"

#include <QApplication>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Tarvane"_s);
    QApplication::setApplicationVersion(QStringLiteral(TARVANE_VERSION_STRING));
    QApplication::setOrganizationName(u"Tarvane"_s);
    return basTarvaneLoad::Main(StartOptions::parse(QApplication::arguments()));
}
