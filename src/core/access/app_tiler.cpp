#include "core/access/app_tiler.h"

#include <string>

#include "core/actions/geometry.h"
#include "core/app/log.h"
#include "core/ports/screens.h"
#include "core/ports/sound.h"
#include "core/text/visible_text.h"

namespace corvella {
namespace {

// A window of the front application on the target screen, with the frame it
// was found at.
struct KeptWindow {
  AXWindow window;
  Rect frame;
};

}  // namespace

AppTiler::AppTiler(WindowAccess& access, Screens& screens, Sound& sound, Log& log)
    : access_(access), screens_(screens), sound_(sound), log_(log) {}

std::optional<ActionRefusal> AppTiler::tileFrontApp(std::string_view label, const Layout& layout,
                                                    const BatchWriter& apply) {
  auto application = access_.workspace().frontmostApplication();
  if (!application) return ActionRefusal::noFrontApplication;
  // The name is the application's own text: kept on its log line.
  const std::string name = visibleText(application->localizedName.value_or("?"));

  const std::vector<Rect> screens = screenFrames(screens_.screens());
  const std::vector<AXWindow> candidates = access_.standardWindows(application->processIdentifier);
  const std::optional<AXWindow> focused = access_.focusedWindow();

  auto fail = [&] {
    std::string message(label);
    message += ": ";
    message += name;
    message += " 창 없음";
    log_.log(message);
    sound_.beep();
    return ActionRefusal::noWindows;
  };

  // The window the user works in decides the screen; without one, the
  // front-most standard window does.
  std::optional<Rect> reference;
  if (focused) reference = access_.readFrame(*focused);
  if (!reference && !candidates.empty()) reference = access_.readFrame(candidates.front());
  if (!reference) return fail();

  const std::optional<std::size_t> target = screenIndex(*reference, screens);
  if (!target) return fail();

  std::vector<KeptWindow> kept;
  for (const AXWindow& candidate : candidates) {
    auto frame = access_.readFrame(candidate);
    if (!frame) continue;
    if (screenIndex(*frame, screens) != target) continue;
    kept.push_back({candidate, *frame});
  }
  if (kept.empty()) {
    sound_.beep();
    return ActionRefusal::noWindowOnScreen;
  }

  std::vector<Rect> frames;
  frames.reserve(kept.size());
  for (const KeptWindow& window : kept) frames.push_back(window.frame);

  std::vector<WindowMove> moves;
  for (const CellAssignment& cell : layout(frames, screens[*target])) {
    // A layout names windows by index; one out of range has no window to move.
    if (cell.index >= kept.size()) continue;
    moves.push_back({kept[cell.index].window, cell.frame});
  }

  const std::size_t leftOver = kept.size() > moves.size() ? kept.size() - moves.size() : 0;
  std::string header(label);
  header += ' ';
  header += name;
  header += " ×";
  header += std::to_string(kept.size());
  if (leftOver > 0) {
    header += " (칸 부족, ";
    header += std::to_string(leftOver);
    header += "개 그대로)";
  }
  apply(moves, header);

  if (focused) access_.raise(*focused);
  return std::nullopt;
}

}  // namespace corvella
