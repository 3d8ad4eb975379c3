// Geometry: target frames of the placement actions, and the screen choice.
// Pure arithmetic: the screens are passed in, never looked up.
#pragma once

#include <optional>
#include <vector>

#include "core/actions/rect.h"
#include "core/actions/window_action.h"
#include "core/ports/screens.h"

namespace corvella {

inline constexpr double FrameTolerance = 4.0;

// Nearest whole number, halves away from zero.
double roundHalfAwayFromZero(double value);
// Intersection; the null rectangle when the two do not overlap (touching
// edges give a zero-width or zero-height rectangle).
Rect intersection(const Rect& a, const Rect& b);
// The smallest rectangle with whole-number edges that contains r.
Rect integral(const Rect& r);

// Visible frames converted to window coordinates (origin top-left of the
// primary screen, y downwards), in the platform's order.
std::vector<Rect> screenFrames(const std::vector<PlatformScreen>& screens);
// The screen a frame belongs to: largest overlap, else the nearest centre.
std::optional<std::size_t> screenIndex(const Rect& frame, const std::vector<Rect>& screens);
bool framesClose(const Rect& a, const Rect& b);
Rect thirdFrame(int k, const Rect& visible);
Rect fitFrame(const Rect& frame, const Rect& visible);
Rect mapFrame(const Rect& frame, const Rect& from, const Rect& to);
// The target of a placement action (actions 0 to 15) for a window on screen
// screenIndex of screens. Absent for the display moves with fewer than two
// screens, and for any action that is not a placement.
std::optional<Rect> targetFrame(WindowAction action, const Rect& window,
                                const std::vector<Rect>& screens, std::size_t screenIndex);

}  // namespace corvella
