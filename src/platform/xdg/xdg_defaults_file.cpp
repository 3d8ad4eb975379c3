#include "platform/xdg/xdg_defaults_file.h"

#include <sys/stat.h>

#include <utility>

#include "core/grids/json_nesting.h"
#include "core/text/visible_text.h"
#include "platform/posix/atomic_file.h"
#include "platform/xdg/bounded_read.h"
#include "platform/xdg/json_problem.h"
#include "platform/xdg/keep_aside.h"

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
  if (!document_) document_ = load().value_or(nlohmann::json::object());
  return *document_;
}

std::optional<nlohmann::json> XdgDefaultsFile::load() {
  if (!file_) return std::nullopt;
  BoundedRead stored = readBoundedFile(*file_, sizeLimit);
  switch (stored.outcome) {
    case BoundedRead::Outcome::missing:
      return std::nullopt;  // nothing stored yet
    case BoundedRead::Outcome::unreadable:
      keepFileAsItIs_ = true;
      report("설정 파일 읽기 실패: " + visibleText(file_->string()) + " (" + stored.problem +
             ") — 기본값으로 실행, 이번 실행 동안 저장하지 않음");
      return std::nullopt;
    case BoundedRead::Outcome::refused:
      setAside(stored.problem);
      return std::nullopt;
    case BoundedRead::Outcome::read:
      break;
  }
  // Depth first, in linear time: parsing, copying and saving a document
  // nested a hundred thousand levels deep would each exhaust the stack.
  if (!nestingWithin(stored.content, nestingLimit)) {
    setAside("nested deeper than " + std::to_string(nestingLimit) + " levels");
    return std::nullopt;
  }
  try {
    auto parsed = nlohmann::json::parse(stored.content);
    if (parsed.is_object()) return parsed;
    setAside("not a JSON object");
  } catch (const nlohmann::json::parse_error& error) {
    setAside(jsonProblem(stored.content, error.byte));
  } catch (const nlohmann::json::exception&) {
    setAside("not JSON");
  }
  return std::nullopt;
}

void XdgDefaultsFile::setAside(const std::string& problem) {
  // Kept for the user: the next save would otherwise replace it.
  const KeptAside kept = keepAside(*file_);
  const std::string damaged =
      "설정 파일 손상: " + visibleText(file_->string()) + " (" + problem + ") — ";
  if (kept.copy) {
    report(damaged + visibleText(kept.copy->string()) + "에 보관");
    return;
  }
  keepFileAsItIs_ = true;
  report(damaged + "보관 실패(" + kept.error + "), 기본값으로 실행, 이번 실행 동안 저장하지 않음");
}

void XdgDefaultsFile::report(const std::string& message) const {
  if (report_) report_(message);
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
    report("설정 저장 실패: 설정 폴더를 알 수 없음 (XDG_CONFIG_HOME, HOME)");
    return;
  }
  if (keepFileAsItIs_) {
    report("설정 저장 안 함: " + visibleText(file_->string()) +
           " — 읽거나 보관하지 못한 파일을 덮어쓰지 않음");
    return;
  }
  std::optional<std::string> error = posix::createFolders(file_->parent_path(), privateFolder);
  if (!error) {
    // Bounded: what was read passed the nesting limit and the values set
    // here add two levels, so the indented form stays proportional.
    std::string content;
    try {
      content = document_->dump(2) + "\n";
    } catch (const nlohmann::json::exception&) {
      error = "cannot encode the values";
    }
    if (!error) error = posix::replaceFileAtomically(*file_, content, privateFile);
  }
  if (error) report("설정 저장 실패: " + visibleText(*error));
}

}  // namespace corvella::xdg
