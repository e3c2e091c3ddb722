#pragma once
// The "%" formatter shared by the program's own messages and by user formats
// (list item formats, handler templates, the range mark).

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace qs {

/// One value for a placeholder: a text, a 32-bit signed or unsigned integer.
struct FmtValue {
  enum class Kind { Text, Integer, Unsigned };
  Kind kind;
  std::string_view text;
  uint32_t bits = 0;

  FmtValue(std::string_view t) : kind(Kind::Text), text(t) {}
  FmtValue(const std::string& t) : kind(Kind::Text), text(t) {}
  FmtValue(const char* t) : kind(Kind::Text), text(t) {}
  FmtValue(int32_t n) : kind(Kind::Integer), bits(static_cast<uint32_t>(n)) {}
  FmtValue(uint32_t n) : kind(Kind::Unsigned), bits(n) {}
};

/// The format with each value rendered at its placeholder. Raises 1109 for a
/// value with no placeholder left and 1140 when memory runs out; placeholders
/// left over end the result.
std::string formattext(std::string_view format, std::span<const FmtValue> values);
inline std::string formattext(std::string_view format, std::initializer_list<FmtValue> values) {
  return formattext(format, std::span<const FmtValue>(values.begin(), values.size()));
}

/// As formattext, written to standard output piece by piece (the pieces
/// before a surplus value are written before 1109 is raised).
void writeformatted(std::string_view format, std::span<const FmtValue> values);
inline void writeformatted(std::string_view format, std::initializer_list<FmtValue> values) {
  writeformatted(format, std::span<const FmtValue>(values.begin(), values.size()));
}

}  // namespace qs
