// TemporaryFolder: a fresh folder for one test's log file, removed afterwards.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace corvella::testing_support {

class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "corvella-hotkeys-XXXXXX");
    if (char* made = mkdtemp(pattern.data())) path_ = made;
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // The whole file, or empty when it does not exist.
  std::string read(const std::string& name) const {
    std::ifstream stream(path_ / name, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
  }

 private:
  std::filesystem::path path_;
};

}  // namespace corvella::testing_support
