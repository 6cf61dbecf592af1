// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The window is laid out in twips (1/1440 inch) and converted once, at the widget edge,
// at 15 twips to a logical pixel; the device-pixel ratio takes care of denser screens.
namespace ui {

inline constexpr int kTwipsPerPixel = 15;

[[nodiscard]] inline int toPixels(int twips) noexcept
{
    return qRound(double(twips) / kTwipsPerPixel);
}

[[nodiscard]] constexpr int toTwips(int pixels) noexcept
{
    return pixels * kTwipsPerPixel;
}

} // namespace ui
