#include "core/control/daemon_notices.h"

#include "core/text/visible_text.h"

namespace corvella {

std::string waylandWithoutXNotice() {
  return "corvella: this is a Wayland session without X (DISPLAY is not set); Corvella arranges "
         "the windows of an X11 session only\n";
}

std::string noWindowManagerNotice() {
  return "corvella: no EWMH window manager runs on this display; windows cannot be found or "
         "moved until one starts\n";
}

std::string alreadyRunningNotice(std::string_view socket) {
  return "corvella: Corvella already runs (it answers at " + std::string(socket) +
         "); this one ends\n";
}

std::string controlChannelOffNotice(std::string_view why) {
  return "corvella: no control channel (" + std::string(why) +
         "); shortcuts work, the corvella commands do not\n";
}

std::string alreadyRunningLogEntry(std::string_view socket) {
  return "이미 실행 중 (" + visibleText(socket) + "에서 응답) — 이 인스턴스 종료";
}

std::string controlChannelOffLogEntry(std::string_view why) {
  return "제어 채널 없음 (" + visibleText(why) +
         ") — 단축키는 그대로 동작, corvella 명령과 URL은 안 됨";
}

}  // namespace corvella
