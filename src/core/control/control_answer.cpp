#include "core/control/control_answer.h"

#include "core/grids/json_nesting.h"

namespace corvella {
namespace {

// list and status nest three levels; leave room for what later versions add.
constexpr std::size_t maxAnswerNesting = 16;

}  // namespace

ControlAnswer usageAnswer(std::string error) {
  return ControlAnswer{ExitStatus::usage, {}, std::move(error), nullptr};
}

std::string encodeControlAnswer(const ControlAnswer& answer) {
  nlohmann::ordered_json object;
  object["exit"] = static_cast<int>(answer.exit);
  object["output"] = answer.output;
  object["error"] = answer.error;
  object["data"] = answer.data;
  return object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::optional<ControlAnswer> decodeControlAnswer(std::string_view line) {
  if (line.size() > maxAnswerBytes || !nestingWithin(line, maxAnswerNesting)) return std::nullopt;
  nlohmann::json object;
  try {
    object = nlohmann::json::parse(line, nullptr, false);
  } catch (...) {
    return std::nullopt;
  }
  if (!object.is_object()) return std::nullopt;
  const auto exit = object.find("exit");
  const auto output = object.find("output");
  const auto error = object.find("error");
  if (exit == object.end() || !exit->is_number_integer()) return std::nullopt;
  if (output == object.end() || !output->is_string()) return std::nullopt;
  if (error == object.end() || !error->is_string()) return std::nullopt;
  const auto status = exit->get<std::int64_t>();
  if (status < 0 || status > static_cast<int>(ExitStatus::usage)) return std::nullopt;

  ControlAnswer answer;
  answer.exit = static_cast<ExitStatus>(status);
  answer.output = output->get<std::string>();
  answer.error = error->get<std::string>();
  if (answer.error.find('\n') != std::string::npos) return std::nullopt;
  if (auto data = object.find("data"); data != object.end()) answer.data = *data;
  return answer;
}

}  // namespace corvella
