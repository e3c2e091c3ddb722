#pragma once
// Text primitives: byte strings, 1-based positions, exact comparisons.
// Every primitive succeeds with its results or fails (an empty optional or
// false); none of them throws.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qs {

/// Character classes of the token splitter and the term reader.
enum class CharClass { Digit, Lower, Upper, Sign, End, LineBreak, Blank, Other };

/// The class of byte c (Windows-1252 decides the letters above 127).
CharClass charclass(unsigned char c);
/// True for the classes Blank and LineBreak.
bool iswhitespace(unsigned char c);
/// True for Lower and Upper.
bool isletter(unsigned char c);

/// A front piece of a text and the text that follows it, exactly.
struct Split {
  std::string first;
  std::string rest;
};

/// Skips whitespace and splits off one token: a number, a name of letters,
/// digits and "_", or one other character. Fails on empty or blank input.
std::optional<Split> firsttoken(std::string_view s);
/// The first n characters and the rest; fails when n < 0 or n > length.
std::optional<Split> firstchars(int64_t n, std::string_view s);
/// The first character and the rest; fails on the empty text.
std::optional<Split> firstchar(std::string_view s);
/// The rest after a leading c; fails when s is empty or does not begin with c.
std::optional<std::string> firstchar(std::string_view s, char c);
/// 1-based position of the leftmost occurrence of sub in s. Fails when sub
/// does not occur; an empty sub fails too.
std::optional<size_t> substrpos(std::string_view s, std::string_view sub);
/// a followed by b.
std::string joinstr(std::string_view a, std::string_view b);
/// s without its prefix p; fails when s does not begin with p.
std::optional<std::string> afterprefix(std::string_view p, std::string_view s);
/// s without its suffix suf; fails when s does not end with suf.
std::optional<std::string> beforesuffix(std::string_view suf, std::string_view s);
/// Number of bytes.
inline size_t strlength(std::string_view s) {
  return s.size();
}
/// Upper-cases one byte through the Windows-1252 table.
unsigned char upperchar(unsigned char c);
/// Every byte mapped through the upper-case table.
std::string uppercase(std::string_view s);
/// Integer text: spaces, optional "-", decimal / 0x / 0o digits, spaces.
std::optional<int32_t> parseinteger(std::string_view s);

/// Succeeds (true) when sub does not occur in s. The position found (1-based,
/// -1 when absent) is stored in the foundpos record and given through found.
bool searchstringfailer(std::string_view s, std::string_view sub, int64_t* found = nullptr);
/// Every non-overlapping occurrence of search replaced, left to right. An
/// empty search text leaves the input unchanged.
std::string str_replace(std::string_view in, std::string_view search, std::string_view replace);
/// Leading whitespace removed, then trimr2; fails on empty or blank input.
std::optional<std::string> trim(std::string_view in);
/// Trailing spaces (byte 32 only) removed.
std::string trimr(std::string_view in);
/// in unchanged when it begins with "~", else trimr(in).
std::string trimr2(std::string_view in);
/// n0 plus the number of "%" characters in s.
int countperc(std::string_view s, int n0 = 0);
/// Decimal text of an integer, "-" for negatives, no padding.
std::string inttotext(int64_t n);

}  // namespace qs
