// ControlAnswer: the running Corvella's answer to one request, and its wire
// form, one JSON object on one line:
//
//   {"exit":0,"output":"leftHalf\n  OK 목표=(0,0 720×900) 결과=(0,0 720×900) Alpha\n",
//    "error":"","data":null}
//
// The client prints output as it is, error as one line on standard error,
// data (when asked for JSON) as a document, and exits with exit.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace corvella {

// The command line's exit statuses.
enum class ExitStatus : int {
  done = 0,        // every window reached its target; a query answered
  failed = 1,      // the action was refused, or a window did not reach its target
  usage = 2,       // the request cannot be served as written
  noInstance = 3,  // no Corvella answers (the client's own verdict)
};

// The longest answer a client reads.
inline constexpr std::size_t maxAnswerBytes = 1 << 20;

struct ControlAnswer {
  ExitStatus exit = ExitStatus::done;
  std::string output;   // for standard output, line feeds included
  std::string error;    // one line without its line feed; empty when there is none
  nlohmann::json data;  // the structured form, null when the request has none

  friend bool operator==(const ControlAnswer&, const ControlAnswer&) = default;
};

// A refusal of the request as written.
ControlAnswer usageAnswer(std::string error);

// One line, without the line feed. Bytes that are not UTF-8 (a window title
// can hold any) become U+FFFD.
std::string encodeControlAnswer(const ControlAnswer& answer);
// Absent when the line is not an answer: not JSON, an exit status other than
// 0 to 2, output or error not text, or a line feed inside error.
std::optional<ControlAnswer> decodeControlAnswer(std::string_view line);

}  // namespace corvella
