#pragma once
// The reader of typed values in the term text syntax. The caller names the
// type it expects; the reader never guesses a type from the text. Reading
// errors are run-time errors (1031, 1401..1409, 1047).

#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <variant>
#include <vector>

#include "foundation/records.h"

namespace qs {

/// A position in a text being read; the text is never copied.
class TermCursor {
 public:
  explicit TermCursor(std::string_view text) : text_(text) {}

  /// Skips spaces (byte 32 only).
  void skipspaces();
  /// Skips blanks and line breaks.
  void skipwhitespace();
  bool atend() const { return pos_ >= text_.size(); }
  /// The next byte, or 0 at the end.
  char peek() const { return atend() ? '\0' : text_[pos_]; }
  /// Consumes c when it is next.
  bool take(char c);
  /// Reads a quoted text with its escapes (1403, 1402 unterminated).
  std::string readtext();
  /// Reads an integer form (1401, 1031).
  int32_t readinteger();
  /// The name of an alternative: up to "(", ")", ",", "]" or the end.
  std::string_view readname();
  size_t pos() const { return pos_; }

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

[[noreturn]] void raisereader(int code);

template <class T>
struct IsVector : std::false_type {};
template <class E>
struct IsVector<std::vector<E>> : std::true_type {};
template <class T>
struct IsVariant : std::false_type {};
template <class... Ts>
struct IsVariant<std::variant<Ts...>> : std::true_type {};

template <class V>
struct AltPtrs;
template <class... Ts>
struct AltPtrs<std::variant<Ts...>> {
  using type = std::tuple<Ts*...>;
};

template <class T>
void readterm(TermCursor& c, T& out);

/// Reads the fields of alternative T after its name was matched.
template <class T>
void readfields(TermCursor& c, T& out) {
  constexpr size_t n = std::tuple_size_v<std::decay_t<decltype(Kind<T>::fields)>>;
  c.skipspaces();
  if constexpr (n == 0) {
    if (c.take('(')) {
      c.skipspaces();
      if (!c.take(')')) raisereader(1409);
    }
  } else {
    if (!c.take('(')) raisereader(1408);
    size_t i = 0;
    std::apply(
        [&](auto... member) {
          ((readterm(c, out.*member), c.skipspaces(),
            (c.take(++i < n ? ',' : ')') ? void() : raisereader(1409))),
           ...);
        },
        Kind<T>::fields);
  }
}

/// Tries alternative Alt of a variant; true when its name matched.
template <class V, class Alt>
bool readalternative(TermCursor& c, std::string_view name, V& out) {
  if (name != Kind<Alt>::name) return false;
  Alt value{};
  readfields(c, value);
  out = std::move(value);
  return true;
}

template <class T>
void readterm(TermCursor& c, T& out) {
  c.skipspaces();
  if constexpr (std::is_same_v<T, std::string>) {
    out = c.readtext();
  } else if constexpr (std::is_same_v<T, int32_t>) {
    out = c.readinteger();
  } else if constexpr (IsVector<T>::value) {
    out.clear();
    if (!c.take('[')) raisereader(1405);
    c.skipspaces();
    if (c.take(']')) return;
    for (;;) {
      out.emplace_back();
      readterm(c, out.back());
      c.skipspaces();
      if (c.take(',')) continue;
      if (c.take(']')) return;
      raisereader(1406);
    }
  } else if constexpr (IsVariant<T>::value) {
    std::string_view name = c.readname();
    bool found = std::apply(
        [&](auto*... alts) {
          return (readalternative<T, std::remove_pointer_t<decltype(alts)>>(c, name, out) || ...);
        },
        typename AltPtrs<T>::type{});
    if (!found) raisereader(1407);
  } else {
    std::string_view name = c.readname();
    if (name != Kind<T>::name) raisereader(1407);
    readfields(c, out);
  }
}

/// Reads one value of T from the start of text; anything but blanks and line
/// breaks after it raises 1047.
template <class T>
T readvalue(std::string_view text) {
  TermCursor c(text);
  T out{};
  readterm(c, out);
  c.skipwhitespace();
  if (!c.atend()) raisereader(1047);
  return out;
}

/// Appends one settings record per line of the file (carriage returns
/// dropped). Raises the error of the first line that does not read; records
/// of earlier lines stay stored.
void loadsettingsrecords(std::string_view filename);

}  // namespace qs
