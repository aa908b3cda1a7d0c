#pragma once

#include <QString>

namespace quenlap {

// A platform colour value: 0x00BBGGRR for RGB colours; the system colours (clBtnFace, ...) are
// the platform's negative-looking 0xFF0000xx values. Widgets turn it into a QColor.
using TColor = quint32;

namespace Colores {
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBackground = 0xFF000001;
constexpr TColor clBtnFace = 0xFF00000F;
constexpr TColor clInfoBk = 0xFF000018;
constexpr TColor clWindow = 0xFF000005;
constexpr TColor clWindowText = 0xFF000008;
constexpr TColor clBtnText = 0xFF000012;
} // namespace Colores

// "clNavy" for a named colour, else the number as the platform writes it ("$00BBGGRR").
QString ColorToString(TColor color);
// Reads a colour name (any case) or a number (decimal, "$hex" or "0xhex"); false when neither.
bool StringToColor(const QString &text, TColor &color);
// The RGB triple of a colour; system colours map to fixed, plausible values.
void ColorToRgb(TColor color, int &red, int &green, int &blue);

} // namespace quenlap
