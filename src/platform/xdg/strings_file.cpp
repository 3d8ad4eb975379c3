#include "platform/xdg/strings_file.h"

#include <cctype>
#include <cstdint>

namespace corvella::xdg {
namespace {

void appendUtf8(std::string& out, std::uint32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  bool atEnd() {
    skipSpaceAndComments();
    return position_ >= text_.size();
  }
  std::size_t position() const { return position_; }

  bool expect(char wanted) {
    skipSpaceAndComments();
    if (position_ >= text_.size() || text_[position_] != wanted) return false;
    ++position_;
    return true;
  }

  std::optional<std::string> quoted() {
    if (!expect('"')) return std::nullopt;
    std::string out;
    while (position_ < text_.size()) {
      const char c = text_[position_++];
      if (c == '"') return out;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (position_ >= text_.size()) return std::nullopt;
      const char escaped = text_[position_++];
      switch (escaped) {
        case 'n':
          out += '\n';
          break;
        case 't':
          out += '\t';
          break;
        case 'r':
          out += '\r';
          break;
        case 'u':
        case 'U': {
          auto unit = hexUnit();
          if (!unit) return std::nullopt;
          std::uint32_t codePoint = *unit;
          if (codePoint >= 0xD800 && codePoint < 0xDC00) {
            // A high surrogate takes the low one that must follow.
            if (text_.substr(position_, 2) != "\\u" && text_.substr(position_, 2) != "\\U") {
              return std::nullopt;
            }
            position_ += 2;
            auto low = hexUnit();
            if (!low || *low < 0xDC00 || *low > 0xDFFF) return std::nullopt;
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (*low - 0xDC00);
          } else if (codePoint >= 0xDC00 && codePoint <= 0xDFFF) {
            return std::nullopt;
          }
          appendUtf8(out, codePoint);
          break;
        }
        default:
          out += escaped;  // \" \\ and any other character stand for themselves
      }
    }
    return std::nullopt;  // no closing quote
  }

 private:
  std::optional<std::uint32_t> hexUnit() {
    if (position_ + 4 > text_.size()) return std::nullopt;
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = text_[position_++];
      if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
      value = value * 16 + static_cast<std::uint32_t>(
                               std::isdigit(static_cast<unsigned char>(c))
                                   ? c - '0'
                                   : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10);
    }
    return value;
  }

  void skipSpaceAndComments() {
    while (position_ < text_.size()) {
      if (std::isspace(static_cast<unsigned char>(text_[position_]))) {
        ++position_;
      } else if (text_.substr(position_, 2) == "//") {
        const std::size_t end = text_.find('\n', position_);
        position_ = end == std::string_view::npos ? text_.size() : end + 1;
      } else if (text_.substr(position_, 2) == "/*") {
        const std::size_t end = text_.find("*/", position_ + 2);
        // An unclosed comment runs to the end and leaves nothing to read.
        position_ = end == std::string_view::npos ? text_.size() : end + 2;
      } else {
        return;
      }
    }
  }

  std::string_view text_;
  std::size_t position_ = 0;
};

}  // namespace

std::optional<StringsTable> parseStringsFile(std::string_view text, std::string* error) {
  Reader reader(text);
  StringsTable table;
  while (!reader.atEnd()) {
    const std::size_t start = reader.position();
    auto key = reader.quoted();
    std::optional<std::string> value;
    if (key && reader.expect('=')) value = reader.quoted();
    if (!value || !reader.expect(';')) {
      if (error) *error = "malformed entry at byte " + std::to_string(start);
      return std::nullopt;
    }
    table.insert_or_assign(std::move(*key), std::move(*value));
  }
  return table;
}

}  // namespace corvella::xdg
