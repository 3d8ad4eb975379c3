#include "platform/sim/sim_keyboard_layout.h"

#include <string_view>
#include <utility>

namespace corvella::sim {

namespace {

// Unshifted US characters by Macintosh virtual key code: the main block,
// the ISO section key and the keypad's character keys.
constexpr std::pair<std::uint16_t, std::string_view> usKeys[] = {
    {0, "a"},   {1, "s"},  {2, "d"},         {3, "f"},  {4, "h"},   {5, "g"},  {6, "z"},  {7, "x"},
    {8, "c"},   {9, "v"},  {10, "\xC2\xA7"}, {11, "b"}, {12, "q"},  {13, "w"}, {14, "e"}, {15, "r"},
    {16, "y"},  {17, "t"}, {18, "1"},        {19, "2"}, {20, "3"},  {21, "4"}, {22, "6"}, {23, "5"},
    {24, "="},  {25, "9"}, {26, "7"},        {27, "-"}, {28, "8"},  {29, "0"}, {30, "]"}, {31, "o"},
    {32, "u"},  {33, "["}, {34, "i"},        {35, "p"}, {36, "\r"}, {37, "l"}, {38, "j"}, {39, "'"},
    {40, "k"},  {41, ";"}, {42, "\\"},       {43, ","}, {44, "/"},  {45, "n"}, {46, "m"}, {47, "."},
    {48, "\t"}, {49, " "}, {50, "`"},        {65, "."}, {67, "*"},  {69, "+"}, {75, "/"}, {78, "-"},
    {81, "="},  {82, "0"}, {83, "1"},        {84, "2"}, {85, "3"},  {86, "4"}, {87, "5"}, {88, "6"},
    {89, "7"},  {91, "8"}, {92, "9"},
};

}  // namespace

std::optional<std::string> SimKeyboardLayout::usText(std::uint16_t keyCode) {
  for (const auto& [code, text] : usKeys) {
    if (code == keyCode) return std::string(text);
  }
  return std::nullopt;
}

std::optional<std::string> SimKeyboardLayout::translateKey(std::uint16_t keyCode) {
  desktop_.record(portCall(SimPort::keyboardLayout, "translateKey", std::to_string(keyCode)));
  if (layout_ == Layout::none) return std::nullopt;
  if (auto found = overrides_.find(keyCode); found != overrides_.end()) return found->second;
  return usText(keyCode);
}

void SimKeyboardLayout::overrideKey(std::uint16_t keyCode, std::optional<std::string> text) {
  overrides_.insert_or_assign(keyCode, std::move(text));
}

}  // namespace corvella::sim
