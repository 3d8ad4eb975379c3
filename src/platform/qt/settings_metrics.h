// Sizes and spacings of the settings window's grid tab, in device-independent
// pixels (the points of the macOS window).
#pragma once

namespace corvella::qt::SettingsMetrics {

// The page: a leading-aligned column.
inline constexpr int pageSpacing = 12;
inline constexpr int pagePadding = 20;
inline constexpr int listMinimumHeight = 260;
inline constexpr int listCornerRadius = 6;
inline constexpr int rowHorizontalPadding = 10;
inline constexpr int rowOuterVerticalPadding = 4;

// One row.
inline constexpr int rowSpacing = 4;
inline constexpr int rowInnerVerticalPadding = 2;
inline constexpr int rowItemSpacing = 14;
inline constexpr int titleWidth = 70;
inline constexpr int stepperWidth = 100;
inline constexpr int recorderMinimumWidth = 96;
inline constexpr int removeButtonSide = 28;
inline constexpr int removeSymbolSize = 15;

}  // namespace corvella::qt::SettingsMetrics
