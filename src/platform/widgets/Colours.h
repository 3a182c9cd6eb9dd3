#pragma once

#include "platform/ColourTable.h"

#include <QColor>

class QWidget;

// Every colour the program paints with, by what it shows.
namespace Colours {

inline const QColor BeforeLiftoff{QRgb(ColourTable::BeforeLiftoff)}; // also the window's colour in the layout
inline const QColor AfterLiftoff{QRgb(ColourTable::AfterLiftoff)};
inline const QColor Holding{255, 255, 0};        // the count digits while the count is held
inline const QColor Counting{224, 224, 224};     // the count digits otherwise
inline const QColor ActiveWindow{224, 224, 224}; // the remaining launch window while the window is active
inline const QColor Silver{192, 192, 192};       // panels, the hold button and the labels on them
inline const QColor Warning{192, 255, 192};      // the launch window warning
inline const QColor SignText{64, 0, 0};          // "T -" and "T +"
inline const QColor DisabledText{128, 128, 128};
inline const QColor Plate{192, 64, 0};        // behind the two entry panels
inline const QColor AmberLamp{255, 255, 128}; // the last hour's and ten minutes' lamps
inline const QColor GreenLamp{0, 255, 0};     // the last minute's lamp
inline const QColor InfoYellow{255, 255, 128};
inline const QColor InfoOrange{255, 224, 192};
inline const QColor Olive{192, 192, 0};

// Fills the widget's background with colour (a button's face for a button); writes only on a real change.
void paintBackground(QWidget* widget, const QColor& colour);

} // namespace Colours
