#pragma once

#include <QColor>
#include <QtGlobal>

// Colours are kept as the program thinks of them: 24-bit values written &H00BBGGRR, blue in the
// high byte and red in the low byte.
using BgrColour = quint32;

namespace Colour {
constexpr BgrColour BarRed = 0x000000C0;
constexpr BgrColour BarGreen = 0x00008000;
constexpr BgrColour LightGrey = 0x00E0E0E0;
constexpr BgrColour White = 0x00FFFFFF;
constexpr BgrColour Silver = 0x00C0C0C0;
constexpr BgrColour Cyan = 0x00FFFF00;
constexpr BgrColour DarkTeal = 0x00404000;
} // namespace Colour

inline QColor toQColor(BgrColour bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}
