#pragma once
// Colours as 32-bit numbers: an ordinary colour holds red in the low byte, green
// in the next and blue in the third (top byte 0); a system colour has the top
// byte FF and the index of a system colour setting in the low byte.
#include <cstdint>

namespace kvarnel {

using ColourNumber = std::uint32_t;

constexpr ColourNumber clBlack = 0x000000;
constexpr ColourNumber clGreen = 0x008000;
constexpr ColourNumber clRed = 0x0000FF;
constexpr ColourNumber clLime = 0x00FF00;
constexpr ColourNumber clBlue = 0xFF0000;
constexpr ColourNumber clAqua = 0xFFFF00;
constexpr ColourNumber clWhite = 0xFFFFFF;
constexpr ColourNumber clCream = 0xF0FBFF;
constexpr ColourNumber clWindowText = 0xFF000008;
constexpr ColourNumber clBtnFace = 0xFF00000F;
constexpr ColourNumber clBtnShadow = 0xFF000010;
constexpr ColourNumber clBtnHighlight = 0xFF000014;
constexpr ColourNumber clInfoText = 0xFF000017;
constexpr ColourNumber clInfoBk = 0xFF000018;
constexpr ColourNumber clWindow = 0xFF000005;

constexpr bool isSystemColour(ColourNumber c) { return (c >> 24) == 0xFF; }
constexpr int systemColourIndex(ColourNumber c) { return static_cast<int>(c & 0xFF); }
constexpr int redOf(ColourNumber c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(ColourNumber c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(ColourNumber c) { return static_cast<int>((c >> 16) & 0xFF); }

}  // namespace kvarnel
