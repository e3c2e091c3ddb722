#pragma once
// Numbered run-time errors. An operation that merely *fails* returns false or
// an empty optional; a run-time error is thrown as RuntimeError and travels to
// the nearest handler that catches it (or ends the run with the report).

#include <cstdint>
#include <exception>
#include <string>

namespace qs {

/// A numbered run-time error with the unit and position where it arose.
class RuntimeError : public std::exception {
 public:
  RuntimeError(int code, const char* unit, int pos)
      : code_(code), unit_(unit), pos_(pos), what_("error " + std::to_string(code)) {}
  int code() const { return code_; }
  const char* unit() const { return unit_; }
  int pos() const { return pos_; }
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  int code_;
  const char* unit_;
  int pos_;
  std::string what_;
};

/// Throws RuntimeError(code, unit, pos). Header-only, so that the host layer
/// below the foundation library can raise system errors too.
[[noreturn]] inline void raise(int code, const char* unit, int pos) {
  throw RuntimeError(code, unit, pos);
}

/// Error numbers that cross subsystem boundaries.
namespace err {
inline constexpr int kIntegerRange = 1031;      // integer outside 32-bit signed range
inline constexpr int kSecondRecord = 1041;      // second record of an at-most-one kind
inline constexpr int kTextLeftOver = 1047;      // text left after a complete value
inline constexpr int kFormatSurplus = 1109;     // value without a placeholder
inline constexpr int kPathTooLong = 1135;       // path over the split/join limits
inline constexpr int kNoMemory = 1140;          // formatter ran out of memory
inline constexpr int kNoInteger = 1401;         // no integer where one must stand
inline constexpr int kUnterminatedText = 1402;  // text without its closing quote
inline constexpr int kNoQuote = 1403;           // no opening double quote
inline constexpr int kNoBracket = 1405;         // no opening square bracket
inline constexpr int kBadListSep = 1406;        // neither comma nor closing bracket
inline constexpr int kUnknownName = 1407;       // name matches no alternative
inline constexpr int kNoParen = 1408;           // no opening parenthesis
inline constexpr int kBadFieldSep = 1409;       // not the expected comma or parenthesis
inline constexpr int kSystemBase = 7000;        // 7000 + Windows error number
}  // namespace err

/// The fixed catalogue text for an error number ("Error NNNN" when unknown).
std::string errormessage(int code);

}  // namespace qs
