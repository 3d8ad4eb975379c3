#include "core/app/log.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <system_error>
#include <utility>

#include "core/ports/clock.h"
#include "core/ports/log_location.h"

namespace corvella {
namespace {

constexpr const char* logFileName = "Corvella.log";
constexpr const char* temporarySuffix = ".tmp";

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

// Appends to a file that already exists; false when it cannot be opened or
// the bytes cannot be written.
bool appendToExistingFile(const std::filesystem::path& file, const std::string& entry) {
  // In and out together never create the file.
  std::fstream stream(file, std::ios::in | std::ios::out | std::ios::binary);
  if (!stream.is_open()) return false;
  stream.seekp(0, std::ios::end);
  stream.write(entry.data(), static_cast<std::streamsize>(entry.size()));
  return static_cast<bool>(stream);
}

// Writes the entry as the whole file: a temporary file in the same folder,
// then a rename, so a reader never sees half a file.
void writeWholeFileAtomically(const std::filesystem::path& file, const std::string& entry) {
  std::filesystem::path temporary = file;
  temporary += temporarySuffix;
  std::error_code error;
  {
    std::ofstream stream(temporary, std::ios::out | std::ios::trunc | std::ios::binary);
    if (!stream.is_open()) return;
    stream.write(entry.data(), static_cast<std::streamsize>(entry.size()));
    stream.close();
    if (!stream) {
      std::filesystem::remove(temporary, error);
      return;
    }
  }
  std::filesystem::rename(temporary, file, error);
  if (error) std::filesystem::remove(temporary, error);
}

}  // namespace

Log::Log(Clock& clock, LogLocation& location) : clock_(clock), location_(location) {}

std::optional<std::filesystem::path> Log::logFileURL() {
  if (!computed_) {
    // Decided once: a folder removed later is not created again.
    computed_ = true;
    try {
      if (auto folder = location_.logsFolder()) {
        location_.createFolder(*folder);
        file_ = *folder / logFileName;
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
    if (appendToExistingFile(*file, entry)) return;

    // Only a missing file is written whole. A file that exists but cannot be
    // opened keeps its history: replacing it would lose every earlier entry.
    std::error_code error;
    const auto status = std::filesystem::symlink_status(*file, error);
    if (status.type() != std::filesystem::file_type::not_found) return;
    writeWholeFileAtomically(*file, entry);
  } catch (...) {
  }
}

}  // namespace corvella
