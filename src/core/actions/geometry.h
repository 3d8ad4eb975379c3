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
// Shrunk and moved into visible, made integral. Finite whenever visible is,
// even for a frame that is null or not a number.
Rect fitFrame(const Rect& frame, const Rect& visible);
// Carried from one visible frame to another by relative position and size.
// An axis along which from has no length keeps the frame's own length and
// starts at to's edge, so the result is finite whenever to is.
Rect mapFrame(const Rect& frame, const Rect& from, const Rect& to);
// The target of a placement action (actions 0 to 15) for a window on screen
// screenIndex of screens. Absent for the display moves with fewer than two
// screens, for any action that is not a placement, for an index outside the
// list, and (never with finite screens) for a result that is not finite.
std::optional<Rect> targetFrame(WindowAction action, const Rect& window,
                                const std::vector<Rect>& screens, std::size_t screenIndex);

}  // namespace corvella
