#pragma once

#include <QString>
#include <QtGlobal>

// Colours of the window that are shown elsewhere too (on the room display's screens), as 0xRRGGBB values that need
// no toolkit; the window's Colours are made from them.
namespace ColourTable {

constexpr quint32 BeforeLiftoff = 0xff8080; // the window before liftoff
constexpr quint32 AfterLiftoff = 0x00c000;

// "#rrggbb", as a web page writes a colour.
inline QString name(quint32 rgb)
{
    return u'#' + QString::number(rgb & 0xffffff, 16).rightJustified(6, u'0');
}

} // namespace ColourTable
