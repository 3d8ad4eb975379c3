#include "core/actions/geometry.h"

#include <cmath>

namespace corvella {
namespace {

constexpr double minimumResizeWidth = 200;
constexpr double minimumResizeHeight = 120;
constexpr double resizeStep = 0.05;

// Sizes of the standardized rectangle.
double widthOf(const Rect& r) {
  return std::abs(r.width);
}
double heightOf(const Rect& r) {
  return std::abs(r.height);
}

bool isFinite(const Rect& r) {
  return std::isfinite(r.x) && std::isfinite(r.y) && std::isfinite(r.width) &&
         std::isfinite(r.height);
}

bool hasNaN(const Rect& r) {
  return std::isnan(r.x) || std::isnan(r.y) || std::isnan(r.width) || std::isnan(r.height);
}

// The smaller of a size and a limit; a size that is not a number takes the
// limit, so a broken window frame cannot poison the result.
double limitedSize(double size, double limit) {
  return size < limit ? size : limit;
}

struct Span {
  double start;
  double length;
};

// Part i of n of an axis: both edges rounded, so neighbours share an edge.
Span span(double minimum, double length, int i, int n) {
  const double start = roundHalfAwayFromZero(minimum + (length * i) / n);
  const double end = roundHalfAwayFromZero(minimum + (length * (i + 1)) / n);
  return {start, end - start};
}

// How a half or quarter cuts one axis: the half taken, or none (the whole
// axis, unrounded).
struct HalfCut {
  std::optional<int> x;
  std::optional<int> y;
};

std::optional<HalfCut> halfCut(WindowAction action) {
  switch (action) {
    case WindowAction::leftHalf:
      return HalfCut{0, std::nullopt};
    case WindowAction::rightHalf:
      return HalfCut{1, std::nullopt};
    case WindowAction::topHalf:
      return HalfCut{std::nullopt, 0};
    case WindowAction::bottomHalf:
      return HalfCut{std::nullopt, 1};
    case WindowAction::upperLeft:
      return HalfCut{0, 0};
    case WindowAction::upperRight:
      return HalfCut{1, 0};
    case WindowAction::lowerLeft:
      return HalfCut{0, 1};
    case WindowAction::lowerRight:
      return HalfCut{1, 1};
    default:
      return std::nullopt;
  }
}

Rect halfFrame(const HalfCut& cut, const Rect& visible) {
  Rect result{visible.minX(), visible.minY(), widthOf(visible), heightOf(visible)};
  if (cut.x) {
    const Span s = span(visible.minX(), widthOf(visible), *cut.x, 2);
    result.x = s.start;
    result.width = s.length;
  }
  if (cut.y) {
    const Span s = span(visible.minY(), heightOf(visible), *cut.y, 2);
    result.y = s.start;
    result.height = s.length;
  }
  return result;
}

Rect centerFrame(const Rect& window, const Rect& visible) {
  const double width = limitedSize(widthOf(window), widthOf(visible));
  const double height = limitedSize(heightOf(window), heightOf(visible));
  return {roundHalfAwayFromZero(visible.midX() - width * 0.5),
          roundHalfAwayFromZero(visible.midY() - height * 0.5), width, height};
}

Rect cycledThird(WindowAction action, const Rect& window, const Rect& visible) {
  std::optional<int> current;
  for (int k = 0; k < 3 && !current; ++k) {
    if (framesClose(thirdFrame(k, visible), window)) current = k;
  }
  const bool next = action == WindowAction::nextThird;
  int chosen = next ? 0 : 2;
  if (current) chosen = (*current + (next ? 1 : 2)) % 3;
  return thirdFrame(chosen, visible);
}

// Moves every edge inwards by dx and dy (outwards when negative); the null
// rectangle when the size would turn negative.
Rect inset(const Rect& r, double dx, double dy) {
  const double width = widthOf(r) - 2 * dx;
  const double height = heightOf(r) - 2 * dy;
  if (width < 0 || height < 0) return Rect::null();
  return {r.minX() + dx, r.minY() + dy, width, height};
}

Rect resizedFrame(WindowAction action, const Rect& window, const Rect& visible) {
  const double s = action == WindowAction::larger ? -0.5 : 0.5;
  Rect r = inset(window, widthOf(visible) * resizeStep * s, heightOf(visible) * resizeStep * s);
  // Written as "not at least" so that a size that is not a number is raised too.
  if (!(r.width >= minimumResizeWidth)) r.width = minimumResizeWidth;
  if (!(r.height >= minimumResizeHeight)) r.height = minimumResizeHeight;
  return fitFrame(r, visible);
}

std::optional<Rect> displayMoveFrame(WindowAction action, const Rect& window,
                                     const std::vector<Rect>& screens, std::size_t index) {
  const std::size_t n = screens.size();
  if (n < 2) return std::nullopt;
  const std::size_t target =
      action == WindowAction::nextDisplay ? (index + 1) % n : (index + n - 1) % n;
  return fitFrame(mapFrame(window, screens[index], screens[target]), screens[target]);
}

// One axis of mapFrame. A source axis of no length (a degenerate screen)
// carries no proportion: the window then goes to the target's start and keeps
// its own length (fitFrame clamps it afterwards). Whatever is not finite falls
// back the same way, so no infinity or NaN leaves here while the target is finite.
Span mapAxis(double start, double length, double fromStart, double fromLength, double toStart,
             double toLength) {
  double mappedStart = toStart + ((start - fromStart) / fromLength) * toLength;
  double mappedLength = (length / fromLength) * toLength;
  if (!std::isfinite(mappedStart)) mappedStart = toStart;
  if (!std::isfinite(mappedLength)) mappedLength = std::isfinite(length) ? length : toLength;
  return {mappedStart, mappedLength};
}

}  // namespace

double roundHalfAwayFromZero(double value) {
  // Adding 0.0 turns a negative zero into 0, so a rounded edge never prints as "-0".
  return std::round(value) + 0.0;
}

Rect intersection(const Rect& a, const Rect& b) {
  // A rectangle that is not a number overlaps nothing.
  if (a.isNull() || b.isNull() || hasNaN(a) || hasNaN(b)) return Rect::null();
  const double x0 = std::max(a.minX(), b.minX());
  const double x1 = std::min(a.maxX(), b.maxX());
  const double y0 = std::max(a.minY(), b.minY());
  const double y1 = std::min(a.maxY(), b.maxY());
  if (x1 < x0 || y1 < y0) return Rect::null();
  return {x0, y0, x1 - x0, y1 - y0};
}

Rect integral(const Rect& r) {
  if (r.isNull()) return r;
  const double x0 = std::floor(r.minX()) + 0.0;
  const double y0 = std::floor(r.minY()) + 0.0;
  const double x1 = std::ceil(r.maxX());
  const double y1 = std::ceil(r.maxY());
  return {x0, y0, x1 - x0, y1 - y0};
}

std::vector<Rect> screenFrames(const std::vector<PlatformScreen>& screens) {
  std::vector<Rect> frames;
  if (screens.empty()) return frames;
  const double primaryHeight = heightOf(screens.front().frame);
  frames.reserve(screens.size());
  for (const PlatformScreen& screen : screens) {
    const Rect& v = screen.visibleFrame;
    frames.push_back({v.minX(), primaryHeight - v.maxY(), widthOf(v), heightOf(v)});
  }
  return frames;
}

std::optional<std::size_t> screenIndex(const Rect& frame, const std::vector<Rect>& screens) {
  if (screens.empty()) return std::nullopt;
  std::optional<std::size_t> best;
  double bestArea = 0;
  for (std::size_t i = 0; i < screens.size(); ++i) {
    const Rect overlap = intersection(screens[i], frame);
    const double area = overlap.isNull() ? 0 : overlap.width * overlap.height;
    if (area > bestArea) {
      best = i;
      bestArea = area;
    }
  }
  if (best) return best;
  if (screens.size() == 1) return 0;
  const auto distance = [&frame](const Rect& screen) {
    return std::hypot(screen.midX() - frame.midX(), screen.midY() - frame.midY());
  };
  std::size_t nearest = 0;
  double nearestDistance = distance(screens[0]);
  for (std::size_t i = 1; i < screens.size(); ++i) {
    const double d = distance(screens[i]);
    if (d < nearestDistance) {
      nearest = i;
      nearestDistance = d;
    }
  }
  return nearest;
}

bool framesClose(const Rect& a, const Rect& b) {
  return std::abs(a.minX() - b.minX()) <= FrameTolerance &&
         std::abs(a.minY() - b.minY()) <= FrameTolerance &&
         std::abs(widthOf(a) - widthOf(b)) <= FrameTolerance &&
         std::abs(heightOf(a) - heightOf(b)) <= FrameTolerance;
}

Rect thirdFrame(int k, const Rect& visible) {
  const Span s = span(visible.minX(), widthOf(visible), k, 3);
  return {s.start, visible.minY(), s.length, heightOf(visible)};
}

Rect fitFrame(const Rect& frame, const Rect& visible) {
  const double width = limitedSize(widthOf(frame), widthOf(visible));
  const double height = limitedSize(heightOf(frame), heightOf(visible));
  // "Not greater than" rather than "less than or equal": a coordinate that is
  // not a number is raised to the visible frame's edge as well.
  double x = frame.minX();
  if (!(x > visible.minX())) x = visible.minX();
  if (visible.maxX() - width < x) x = visible.maxX() - width;
  double y = frame.minY();
  if (!(y > visible.minY())) y = visible.minY();
  if (visible.maxY() - height < y) y = visible.maxY() - height;
  Rect fitted = integral({x, y, width, height});
  // In exact arithmetic the frame lies within the visible frame and so does
  // its integral rectangle. Floating-point noise in x + width (a frame pushed
  // against the far edge) can still make the ceiling one point too far, into
  // the neighbouring screen: keep the edges within the visible frame's own
  // integral edges, which changes nothing else.
  const double x0 = std::max(fitted.x, std::floor(visible.minX()));
  const double y0 = std::max(fitted.y, std::floor(visible.minY()));
  const double x1 = std::min(fitted.x + fitted.width, std::ceil(visible.maxX()));
  const double y1 = std::min(fitted.y + fitted.height, std::ceil(visible.maxY()));
  fitted = {x0, y0, std::max(x1 - x0, 0.0), std::max(y1 - y0, 0.0)};
  return fitted;
}

Rect mapFrame(const Rect& frame, const Rect& from, const Rect& to) {
  const Span x =
      mapAxis(frame.minX(), widthOf(frame), from.minX(), widthOf(from), to.minX(), widthOf(to));
  const Span y =
      mapAxis(frame.minY(), heightOf(frame), from.minY(), heightOf(from), to.minY(), heightOf(to));
  return {x.start, y.start, x.length, y.length};
}

std::optional<Rect> targetFrame(WindowAction action, const Rect& window,
                                const std::vector<Rect>& screens, std::size_t screenIndex) {
  if (screenIndex >= screens.size()) return std::nullopt;
  const Rect& visible = screens[screenIndex];
  std::optional<Rect> target;
  if (const auto cut = halfCut(action)) {
    target = halfFrame(*cut, visible);
  } else {
    switch (action) {
      case WindowAction::maximize:
        target = visible;
        break;
      case WindowAction::center:
        target = centerFrame(window, visible);
        break;
      case WindowAction::nextThird:
      case WindowAction::previousThird:
        target = cycledThird(action, window, visible);
        break;
      case WindowAction::larger:
      case WindowAction::smaller:
        target = resizedFrame(action, window, visible);
        break;
      case WindowAction::nextDisplay:
      case WindowAction::previousDisplay:
        target = displayMoveFrame(action, window, screens, screenIndex);
        break;
      default:
        return std::nullopt;
    }
  }
  // Only a screen list that is itself not finite could get here; such a
  // frame must never be written to a window.
  if (target && !isFinite(*target)) return std::nullopt;
  return target;
}

}  // namespace corvella
