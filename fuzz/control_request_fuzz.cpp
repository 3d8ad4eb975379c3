// Fuzzes the control channel's parsers with whatever a client (or a daemon
// that is not ours) may send: the request line as the daemon meets it, the
// answer line as the client meets it, and the same bytes as a corvella:// link
// that any program may open. Every input either parses, and
// then encodes to a line that parses to the same value, or is refused with
// one line that quotes nothing unsafe. A broken rule traps, so libFuzzer
// reports the input.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/control/control_answer.h"
#include "core/control/control_request.h"
#include "core/control/control_url.h"

namespace {

void require(bool condition) {
  if (!condition) __builtin_trap();
}

bool oneLine(const std::string& text) {
  return text.find('\n') == std::string::npos;
}

void checkParsed(const corvella::ParsedRequest& parsed) {
  if (!parsed.request) {
    require(!parsed.error.empty() && oneLine(parsed.error));
    // What is quoted back is printable: no escape reaches a terminal.
    for (char c : parsed.error) require(c != '\x1b' && c != '\r');
    return;
  }
  require(parsed.error.empty());
  const std::string encoded = corvella::encodeControlRequest(*parsed.request);
  require(oneLine(encoded) && encoded.size() < corvella::maxRequestBytes);
  require(corvella::parseControlRequest(encoded).request == parsed.request);
  // The answer to a refused line is itself an answer.
  const std::string refusal = corvella::encodeControlAnswer(corvella::usageAnswer(parsed.error));
  require(corvella::decodeControlAnswer(refusal).has_value());
}

void checkRequest(std::string_view line) {
  checkParsed(corvella::parseControlRequest(line));
}

// A link asks for what a request line can ask for, under the same rules.
void checkURL(std::string_view url) {
  checkParsed(corvella::parseControlURL(url));
}

void checkAnswer(std::string_view line) {
  const auto answer = corvella::decodeControlAnswer(line);
  if (!answer) return;
  require(oneLine(answer->error));
  const std::string encoded = corvella::encodeControlAnswer(*answer);
  require(oneLine(encoded));
  const auto again = corvella::decodeControlAnswer(encoded);
  require(again.has_value() && again->exit == answer->exit && again->output == answer->output &&
          again->error == answer->error);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  checkRequest(input);
  checkAnswer(input);
  checkURL(input);
  return 0;
}
