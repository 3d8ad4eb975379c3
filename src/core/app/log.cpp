#include "core/app/log.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <utility>

#include "core/ports/clock.h"
#include "core/ports/log_location.h"

namespace corvella {
namespace {

constexpr const char* logFileName = "Corvella.log";

// "2026-12-05T16:25:00Z": the internet date-time form in UTC, whole seconds.
std::string isoTimeStamp(std::chrono::system_clock::time_point time) {
  using namespace std::chrono;
  const auto seconds = floor<std::chrono::seconds>(time);
  const auto days = floor<std::chrono::days>(seconds);
  const year_month_day date{days};
  const hh_mm_ss clock{seconds - days};
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
                static_cast<int>(clock.seconds().count()));
  return text;
}

}  // namespace

Log::Log(Clock& clock, LogLocation& location) : clock_(clock), location_(location) {}

std::optional<std::filesystem::path> Log::logFileURL() {
  if (!computed_) {
    // Decided once: a folder removed later is not created again.
    computed_ = true;
    try {
      if (auto folder = location_.logsFolder()) {
        if (location_.createFolder(*folder)) file_ = *folder / logFileName;
      }
    } catch (...) {
      file_.reset();
    }
  }
  return file_;
}

std::uint64_t Log::addObserver(Observer observer) {
  const std::uint64_t id = nextObserver_++;
  observers_.emplace(id, std::move(observer));
  return id;
}

void Log::removeObserver(std::uint64_t id) {
  observers_.erase(id);
}

void Log::log(std::string_view message) {
  for (const auto& [id, observer] : observers_) {
    try {
      observer(message);
    } catch (...) {
    }
  }
  // Logging never disturbs its caller: every failure drops the entry.
  try {
    std::string entry = isoTimeStamp(clock_.now());
    entry += ' ';
    entry += message;
    entry += '\n';

    auto file = logFileURL();
    if (!file) return;
    const std::string bytes = torn_ ? "\n" + entry : entry;
    const std::optional<std::size_t> written = location_.appendToFile(*file, bytes);
    if (!written) {
      // Only a missing file is written whole. A file that exists but cannot
      // be opened keeps its history: replacing it would lose every earlier entry.
      if (location_.writeWholeFile(*file, entry)) torn_ = false;
      return;
    }
    // Nothing written: the entry is dropped and what was torn stays torn.
    // Only the line feed written: the torn entry is ended, this one dropped.
    if (*written == 0) return;
    const std::size_t ending = torn_ ? 1 : 0;
    torn_ = *written > ending && *written < bytes.size();
  } catch (...) {
  }
}

}  // namespace corvella
