#include "platform/xdg/xdg_defaults_file.h"

#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>
#include <utility>

#include "platform/xdg/atomic_file.h"

namespace corvella::xdg {
namespace {

constexpr const char* dataTag = "data";
constexpr const char* bytesTag = "bytes";
constexpr const char* stringTag = "string";
constexpr mode_t privateFile = 0600;
constexpr mode_t privateFolder = 0700;

bool isUtf8(const std::string& text) {
  try {
    (void)nlohmann::json(text).dump();
    return true;
  } catch (const nlohmann::json::exception&) {
    return false;
  }
}

}  // namespace

std::optional<std::filesystem::path> configFolder(const EnvironmentReader& environment) {
  if (auto config = absoluteVariable(environment, "XDG_CONFIG_HOME")) return config;
  if (auto home = absoluteVariable(environment, "HOME")) return *home / ".config";
  return std::nullopt;
}

XdgDefaultsFile::XdgDefaultsFile(std::optional<std::filesystem::path> file, Reporter report)
    : file_(std::move(file)), report_(std::move(report)) {}

std::optional<std::filesystem::path> XdgDefaultsFile::defaultFile(
    const EnvironmentReader& environment) {
  auto folder = configFolder(environment);
  if (!folder) return std::nullopt;
  return *folder / "corvella" / "defaults.json";
}

nlohmann::json& XdgDefaultsFile::document() {
  if (document_) return *document_;
  document_ = nlohmann::json::object();
  if (!file_) return *document_;
  std::ifstream stream(*file_, std::ios::binary);
  if (!stream.is_open()) return *document_;  // nothing stored yet
  const std::string content((std::istreambuf_iterator<char>(stream)),
                            std::istreambuf_iterator<char>());
  std::string problem;
  try {
    auto parsed = nlohmann::json::parse(content);
    if (parsed.is_object()) {
      document_ = std::move(parsed);
      return *document_;
    }
    problem = "not a JSON object";
  } catch (const nlohmann::json::exception& error) {
    problem = error.what();
  }
  // Kept for the user: the next save would otherwise replace it.
  std::filesystem::path aside = *file_;
  aside += ".bad";
  std::error_code ignored;
  std::filesystem::rename(*file_, aside, ignored);
  if (report_) {
    report_("설정 파일 손상: " + file_->string() + " (" + problem + ") — " + aside.string() +
            "에 보관");
  }
  return *document_;
}

std::optional<Bytes> XdgDefaultsFile::data(std::string_view key) {
  auto& all = document();
  auto entry = all.find(std::string(key));
  if (entry == all.end() || !entry->is_object()) return std::nullopt;
  if (auto text = entry->find(dataTag); text != entry->end() && text->is_string()) {
    const auto& value = text->get_ref<const std::string&>();
    return Bytes(value.begin(), value.end());
  }
  if (auto list = entry->find(bytesTag); list != entry->end() && list->is_array()) {
    Bytes bytes;
    for (const auto& item : *list) {
      if (!item.is_number_unsigned() || item.get<std::uint64_t>() > 255) return std::nullopt;
      bytes.push_back(static_cast<std::uint8_t>(item.get<std::uint64_t>()));
    }
    return bytes;
  }
  return std::nullopt;
}

std::optional<std::string> XdgDefaultsFile::string(std::string_view key) {
  auto& all = document();
  auto entry = all.find(std::string(key));
  if (entry == all.end() || !entry->is_object()) return std::nullopt;
  auto text = entry->find(stringTag);
  if (text == entry->end() || !text->is_string()) return std::nullopt;
  return text->get<std::string>();
}

void XdgDefaultsFile::setData(std::string_view key, const Bytes& value) {
  std::string text(value.begin(), value.end());
  if (isUtf8(text)) {
    document()[std::string(key)] = {{dataTag, std::move(text)}};
  } else {
    document()[std::string(key)] = {{bytesTag, value}};
  }
  save();
}

void XdgDefaultsFile::setString(std::string_view key, const std::string& value) {
  // Text that is not UTF-8 cannot be a JSON string: its invalid bytes become U+FFFD.
  std::string text = value;
  if (!isUtf8(text)) {
    text = nlohmann::json::parse(
               nlohmann::json(value).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace))
               .get<std::string>();
  }
  document()[std::string(key)] = {{stringTag, std::move(text)}};
  save();
}

void XdgDefaultsFile::save() {
  if (!file_) {
    if (report_) report_("설정 저장 실패: 설정 폴더를 알 수 없음 (XDG_CONFIG_HOME, HOME)");
    return;
  }
  std::optional<std::string> error = createFolders(file_->parent_path(), privateFolder);
  if (!error) {
    std::string content;
    try {
      content = document_->dump(2) + "\n";
    } catch (const nlohmann::json::exception& failure) {
      error = failure.what();
    }
    if (!error) error = replaceFileAtomically(*file_, content, privateFile);
  }
  if (error && report_) report_("설정 저장 실패: " + *error);
}

}  // namespace corvella::xdg
