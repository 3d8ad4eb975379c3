#include "platform/xdg/xdg_autostart_entry.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>

#include "platform/posix/atomic_file.h"
#include "platform/xdg/bounded_read.h"
#include "platform/xdg/installed_program.h"
#include "platform/xdg/xdg_defaults_file.h"

namespace corvella::xdg {
namespace {

constexpr const char* noFolder = "no configuration folder (XDG_CONFIG_HOME, HOME)";
// An entry is a handful of lines; anything far larger is not one of ours.
constexpr std::size_t entryLimit = 64 * 1024;

// The file format's own escape: a backslash doubled.
std::string escapedString(const std::string& value) {
  std::string escaped;
  for (char c : value) {
    if (c == '\\') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

// Exec quoting: the whole path in double quotes, with ", `, $ and the backslash
// escaped by a backslash; the file format then doubles every backslash.
std::string quotedExec(const std::string& path) {
  std::string quoted = "\"";
  for (char c : path) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  quoted += '"';
  return escapedString(quoted);
}

// The file format's escapes undone: \s \n \t \r and \\.
std::string unescapedString(std::string_view value) {
  std::string plain;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      plain += value[i];
      continue;
    }
    switch (const char next = value[++i]) {
      case 's':
        plain += ' ';
        break;
      case 'n':
        plain += '\n';
        break;
      case 't':
        plain += '\t';
        break;
      case 'r':
        plain += '\r';
        break;
      default:
        // \\ is a backslash; anything else is left for the Exec quoting.
        if (next != '\\') plain += '\\';
        plain += next;
    }
  }
  return plain;
}

}  // namespace

XdgAutostartEntry::XdgAutostartEntry(std::optional<std::filesystem::path> entry,
                                     std::filesystem::path running, EnvironmentReader environment)
    : entry_(std::move(entry)),
      running_(std::move(running)),
      environment_(std::move(environment)) {}

std::optional<std::filesystem::path> XdgAutostartEntry::defaultEntry(
    const EnvironmentReader& environment) {
  auto folder = configFolder(environment);
  if (!folder) return std::nullopt;
  return *folder / "autostart" / "corvella.desktop";
}

std::string XdgAutostartEntry::entryText(const std::filesystem::path& program) {
  std::ostringstream text;
  // TryExec lets the desktop pass over the entry quietly once the program is gone.
  text << "[Desktop Entry]\n"
       << "Type=Application\n"
       << "Name=Corvella\n"
       << "Comment=Keyboard-driven window placement\n"
       << "Icon=corvella\n"
       << "Exec=" << quotedExec(program.string()) << "\n"
       << "TryExec=" << escapedString(program.string()) << "\n"
       << "Terminal=false\n"
       << "X-GNOME-Autostart-enabled=true\n";
  return text.str();
}

std::optional<std::string> XdgAutostartEntry::execProgram(std::string_view value) {
  const std::string line = unescapedString(value);
  std::size_t i = line.find_first_not_of(' ');
  if (i == std::string::npos) return std::nullopt;
  std::string program;
  if (line[i] != '"') {
    program = line.substr(i, line.find(' ', i) - i);
    return program;
  }
  for (++i; i < line.size(); ++i) {
    if (line[i] == '"') return program;
    if (line[i] == '\\' && i + 1 < line.size()) ++i;
    program += line[i];
  }
  return std::nullopt;  // the quote never closes
}

std::string XdgAutostartEntry::searchPath() const {
  return environment_ ? environment_("PATH").value_or("") : std::string();
}

LoginItemStatus XdgAutostartEntry::status() {
  if (!entry_) return LoginItemStatus::notFound;
  const BoundedRead read = readBoundedFile(*entry_, entryLimit);
  if (read.outcome != BoundedRead::Outcome::read) return LoginItemStatus::notRegistered;
  std::istringstream lines(read.content);
  bool inEntry = false;
  std::optional<std::string> program;
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with('[')) {
      inEntry = line == "[Desktop Entry]";
      continue;
    }
    if (!inEntry) continue;
    // Either key is a desktop's way of switching the entry off.
    if (line == "Hidden=true" || line == "X-GNOME-Autostart-enabled=false") {
      return LoginItemStatus::notRegistered;
    }
    if (line.starts_with("Exec=")) program = execProgram(std::string_view(line).substr(5));
  }
  // An entry whose program was moved or uninstalled starts nothing.
  if (!program || !findProgram(*program, searchPath())) return LoginItemStatus::notRegistered;
  return LoginItemStatus::enabled;
}

std::optional<std::string> XdgAutostartEntry::registerApp() {
  if (!entry_) return std::string(noFolder);
  const InstalledProgram program = findInstalledProgram(running_, searchPath());
  if (!program.path) return program.problem;
  if (auto error = posix::createFolders(entry_->parent_path(), 0700)) return error;
  return posix::replaceFileAtomically(*entry_, entryText(*program.path), 0644);
}

std::optional<std::string> XdgAutostartEntry::unregisterApp() {
  if (!entry_) return std::string(noFolder);
  if (::unlink(entry_->c_str()) != 0 && errno != ENOENT) {
    return "cannot remove " + entry_->string() + ": " + std::strerror(errno);
  }
  return std::nullopt;
}

}  // namespace corvella::xdg
