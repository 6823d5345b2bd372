#pragma once

#include <QColor>
#include <QtGlobal>

#include <array>

// Colours are kept as the program thinks of them: 24-bit values written &H00BBGGRR, blue in the
// high byte and red in the low byte.
using BgrColour = quint32;

namespace Colour {
constexpr BgrColour LightGrey = 0x00E0E0E0;
constexpr BgrColour White = 0x00FFFFFF;
constexpr BgrColour Silver = 0x00C0C0C0;
constexpr BgrColour Cyan = 0x00FFFF00;
constexpr BgrColour DarkTeal = 0x00404000;
// The bar: red while it says the name and plays the sound, green while it gets the next animal.
constexpr BgrColour BarRed = 0x000000C0;
constexpr BgrColour BarGreen = 0x00008000;
} // namespace Colour

// The colours an animal's button takes when it is shown, in sequence; the sequence runs on
// across clears for the whole run.
constexpr std::array<BgrColour, 8> MarkColours = {
    0x000000FF, // red
    0x0000FF00, // green
    0x0000FFFF, // yellow
    0x00FF0000, // blue
    0x00FF00FF, // magenta
    0x000000C0, // dark red
    0x00008000, // dark green
    0x00000080, // maroon
};

inline QColor toQColor(BgrColour bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}
