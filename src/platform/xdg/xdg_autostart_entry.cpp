#include "platform/xdg/xdg_autostart_entry.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/posix/atomic_file.h"
#include "platform/xdg/xdg_defaults_file.h"

namespace corvella::xdg {
namespace {

constexpr const char* noFolder = "no configuration folder (XDG_CONFIG_HOME, HOME)";

// Exec quoting: the whole path in double quotes, with ", `, $ and the backslash
// escaped by a backslash; the file format then doubles every backslash.
std::string quotedExec(const std::string& path) {
  std::string quoted = "\"";
  for (char c : path) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  quoted += '"';
  std::string escaped;
  for (char c : quoted) {
    if (c == '\\') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

}  // namespace

XdgAutostartEntry::XdgAutostartEntry(std::optional<std::filesystem::path> entry,
                                     std::filesystem::path program)
    : entry_(std::move(entry)), program_(std::move(program)) {}

std::optional<std::filesystem::path> XdgAutostartEntry::defaultEntry(
    const EnvironmentReader& environment) {
  auto folder = configFolder(environment);
  if (!folder) return std::nullopt;
  return *folder / "autostart" / "corvella.desktop";
}

std::string XdgAutostartEntry::entryText(const std::filesystem::path& program) {
  std::ostringstream text;
  text << "[Desktop Entry]\n"
       << "Type=Application\n"
       << "Name=Corvella\n"
       << "Comment=Keyboard-driven window placement\n"
       << "Exec=" << quotedExec(program.string()) << "\n"
       << "Terminal=false\n"
       << "X-GNOME-Autostart-enabled=true\n";
  return text.str();
}

LoginItemStatus XdgAutostartEntry::status() {
  if (!entry_) return LoginItemStatus::notFound;
  std::ifstream stream(*entry_);
  if (!stream.is_open()) return LoginItemStatus::notRegistered;
  // A hidden entry is the desktop's way of switching it off.
  for (std::string line; std::getline(stream, line);) {
    if (line == "Hidden=true") return LoginItemStatus::notRegistered;
  }
  return LoginItemStatus::enabled;
}

std::optional<std::string> XdgAutostartEntry::registerApp() {
  if (!entry_) return std::string(noFolder);
  if (auto error = posix::createFolders(entry_->parent_path(), 0700)) return error;
  return posix::replaceFileAtomically(*entry_, entryText(program_), 0644);
}

std::optional<std::string> XdgAutostartEntry::unregisterApp() {
  if (!entry_) return std::string(noFolder);
  if (::unlink(entry_->c_str()) != 0 && errno != ENOENT) {
    return "cannot remove " + entry_->string() + ": " + std::strerror(errno);
  }
  return std::nullopt;
}

}  // namespace corvella::xdg
