#include "Metrics.h"

#include <QStringList>

#include <cmath>

using namespace Qt::StringLiterals;

QFont Metrics::uiFont(double points, bool bold)
{
    QFont font;
    font.setFamilies({u"Liberation Sans"_s, u"Arimo"_s, u"Arial"_s, u"Helvetica"_s, u"Sans Serif"_s});
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}
