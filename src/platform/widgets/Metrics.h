#pragma once

#include <QFont>
#include <QRect>

// Layout units: positions are given in twips (1440 to the inch), 15 to a pixel at 96 dots per inch.
namespace Metrics {

constexpr int px(int twips)
{
    return (twips + 7) / 15;
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

// The interface font at a size in points, set in pixels so that the layout holds on a screen of any density.
// Liberation Sans has the metrics of the classic sans serif the layout was drawn for.
QFont uiFont(double points, bool bold = false);

} // namespace Metrics
