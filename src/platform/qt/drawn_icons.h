// The icons the desktop draws itself, so that they look the same without an
// icon theme: the status item's symbol and a row's remove button.
#pragma once

#include <QColor>
#include <QIcon>
#include <string_view>

namespace corvella::qt {

// The status item for the core's symbol name: a window split into three
// columns ("rectangle.split.3x1"), light strokes on a dark shadow so that it
// shows on light and dark panels alike.
QIcon statusIcon(std::string_view symbolName);
// A minus in a circle, in the given colour.
QIcon removeIcon(const QColor& color);

}  // namespace corvella::qt
