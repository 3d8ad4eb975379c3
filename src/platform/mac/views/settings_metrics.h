// Sizes, spacings and fonts of the settings window's grid tab, in points.
#pragma once

#import <AppKit/AppKit.h>

namespace corvella::mac::SettingsMetrics {

// The page: a leading-aligned column.
inline constexpr CGFloat pageSpacing = 12;
inline constexpr CGFloat pagePadding = 20;
inline constexpr CGFloat listMinimumHeight = 260;
inline constexpr CGFloat listCornerRadius = 6;
inline constexpr CGFloat rowHorizontalPadding = 10;
inline constexpr CGFloat rowOuterVerticalPadding = 4;

// One row.
inline constexpr CGFloat rowSpacing = 4;
inline constexpr CGFloat rowInnerVerticalPadding = 2;
inline constexpr CGFloat rowItemSpacing = 14;
inline constexpr CGFloat titleWidth = 70;
inline constexpr CGFloat stepperWidth = 100;
inline constexpr CGFloat recorderMinimumWidth = 96;
inline constexpr CGFloat removeButtonSide = 28;
inline constexpr CGFloat removeSymbolPointSize = 15;

inline NSFont* headlineFont() {
  return [NSFont preferredFontForTextStyle:NSFontTextStyleHeadline options:@{}];
}
inline NSFont* calloutFont() {
  return [NSFont preferredFontForTextStyle:NSFontTextStyleCallout options:@{}];
}
inline NSFont* captionFont() {
  return [NSFont preferredFontForTextStyle:NSFontTextStyleCaption1 options:@{}];
}

}  // namespace corvella::mac::SettingsMetrics
