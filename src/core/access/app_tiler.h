// AppTiler: arranges every standard window of the front application on the
// screen of its focused window, as one batch of moves.
#pragma once

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "core/access/layouts.h"
#include "core/access/window_access.h"
#include "core/actions/action_outcome.h"
#include "core/actions/window_move.h"

namespace corvella {

class Log;
class Screens;
class Sound;

class AppTiler {
 public:
  // The window manager's batch writer: writes, logs under the label, records history.
  using BatchWriter = std::function<void(const std::vector<WindowMove>&, std::string_view label)>;

  AppTiler(WindowAccess& access, Screens& screens, Sound& sound, Log& log);
  // Gives why nothing was handed to the writer, or absent when it was.
  std::optional<ActionRefusal> tileFrontApp(std::string_view label, const Layout& layout,
                                            const BatchWriter& apply);

 private:
  WindowAccess& access_;
  Screens& screens_;
  Sound& sound_;
  Log& log_;
};

}  // namespace corvella
