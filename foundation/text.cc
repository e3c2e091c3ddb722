#include "foundation/text.h"

#include <array>

#include "foundation/factstore.h"

namespace qs {

namespace {

// Windows-1252 letters above 127, by Unicode category: Ll are lower case,
// Lu upper case. The ordinal indicators (0xAA, 0xBA) count as lower-case
// letters, as the Windows tables class them.
bool islower1252(unsigned char c) {
  return c == 0x83 || c == 0x9A || c == 0x9C || c == 0x9E || c == 0xAA || c == 0xB5 || c == 0xBA ||
         (c >= 0xDF && c != 0xF7);
}

bool isupper1252(unsigned char c) {
  return c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9F || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
}

bool issign(unsigned char c) {
  static constexpr std::string_view kSigns = "!\"$%'()*+,-./:;<=>[]_|~";
  return kSigns.find(static_cast<char>(c)) != std::string_view::npos;
}

CharClass classify(unsigned char c) {
  if (c >= '0' && c <= '9') return CharClass::Digit;
  if ((c >= 'a' && c <= 'z') || islower1252(c)) return CharClass::Lower;
  if ((c >= 'A' && c <= 'Z') || isupper1252(c)) return CharClass::Upper;
  if (c == 0) return CharClass::End;
  if (c == 9 || c == 32) return CharClass::Blank;
  if ((c >= 10 && c <= 13) || c == 26) return CharClass::LineBreak;
  if (issign(c)) return CharClass::Sign;
  return CharClass::Other;
}

// Built once so that classifying a byte in a scan is a table look-up.
const std::array<CharClass, 256>& classtable() {
  static const std::array<CharClass, 256> table = [] {
    std::array<CharClass, 256> t{};
    for (int c = 0; c < 256; ++c) t[c] = classify(static_cast<unsigned char>(c));
    return t;
  }();
  return table;
}

unsigned char upper(unsigned char c) {
  if (c >= 'a' && c <= 'z') return c - 0x20;
  if (c == 0x9A || c == 0x9C || c == 0x9E) return c - 0x10;
  if (c == 0xFF) return 0x9F;
  // 0xF7 is the division sign; 0xDF (sharp s) has no upper form in the set.
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  return c;
}

int digitvalue(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return 99;
}

bool isdigitchar(char ch) {
  return ch >= '0' && ch <= '9';
}

// The base announced by a "0x" / "0o" prefix at pos, followed by at least one
// digit of that base; 0 when there is none.
int prefixbase(std::string_view s, size_t pos) {
  if (pos + 2 >= s.size() || s[pos] != '0') return 0;
  char p = s[pos + 1];
  int base = (p == 'x' || p == 'X') ? 16 : (p == 'o' || p == 'O') ? 8 : 0;
  if (base != 0 && digitvalue(s[pos + 2]) < base) return base;
  return 0;
}

struct Digits {
  size_t end;      // position after the last digit read
  uint64_t value;  // saturated at 2^32
  bool any;        // at least one digit
};

// Reads an unsigned number (with its base prefix) at pos; the value saturates
// just above 32 bits so that overflow stays visible.
Digits readdigits(std::string_view s, size_t pos) {
  int base = prefixbase(s, pos);
  if (base != 0) pos += 2;
  if (base == 0) base = 10;
  Digits d{pos, 0, false};
  while (d.end < s.size() && digitvalue(s[d.end]) < base) {
    d.value = d.value * base + digitvalue(s[d.end++]);
    if (d.value > 0xFFFFFFFFull) d.value = 0x100000000ull;
    d.any = true;
  }
  return d;
}

size_t skipdecimal(std::string_view s, size_t pos) {
  while (pos < s.size() && isdigitchar(s[pos])) ++pos;
  return pos;
}

// A real number at pos: digits, optional "." and digits, optional exponent
// letter with optional sign and digits.
size_t realend(std::string_view s, size_t pos) {
  pos = skipdecimal(s, pos);
  if (pos < s.size() && s[pos] == '.') pos = skipdecimal(s, pos + 1);
  if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
    ++pos;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) ++pos;
    pos = skipdecimal(s, pos);
  }
  return pos;
}

// End of the number token that starts with a digit at pos.
size_t numberend(std::string_view s, size_t pos) {
  Digits d = readdigits(s, pos);
  if (!d.any || d.value > 0xFFFFFFFFull) return realend(s, pos);
  size_t n = d.end;
  if (n >= s.size() || (s[n] != '.' && s[n] != 'e' && s[n] != 'E')) return n;
  bool digitnext = n + 1 < s.size() && isdigitchar(s[n + 1]);
  bool minusdigit = n + 2 < s.size() && s[n + 1] == '-' && isdigitchar(s[n + 2]);
  return (digitnext || minusdigit) ? realend(s, pos) : n;
}

bool isnamechar(unsigned char c) {
  return isletter(c) || charclass(c) == CharClass::Digit || c == '_';
}

}  // namespace

CharClass charclass(unsigned char c) {
  return classtable()[c];
}

bool iswhitespace(unsigned char c) {
  CharClass k = charclass(c);
  return k == CharClass::Blank || k == CharClass::LineBreak;
}

bool isletter(unsigned char c) {
  CharClass k = charclass(c);
  return k == CharClass::Lower || k == CharClass::Upper;
}

std::optional<Split> firsttoken(std::string_view s) {
  size_t start = 0;
  while (start < s.size() && iswhitespace(static_cast<unsigned char>(s[start]))) ++start;
  if (start == s.size()) return std::nullopt;
  unsigned char c = static_cast<unsigned char>(s[start]);
  size_t end = start + 1;
  if (charclass(c) == CharClass::Digit) {
    end = numberend(s, start);
  } else if (isletter(c) || c == '_') {
    while (end < s.size() && isnamechar(static_cast<unsigned char>(s[end]))) ++end;
  }
  return Split{std::string(s.substr(start, end - start)), std::string(s.substr(end))};
}

std::optional<Split> firstchars(int64_t n, std::string_view s) {
  if (n < 0 || static_cast<uint64_t>(n) > s.size()) return std::nullopt;
  return Split{std::string(s.substr(0, n)), std::string(s.substr(n))};
}

std::optional<Split> firstchar(std::string_view s) {
  return firstchars(s.empty() ? -1 : 1, s);
}

std::optional<std::string> firstchar(std::string_view s, char c) {
  if (s.empty() || s.front() != c) return std::nullopt;
  return std::string(s.substr(1));
}

std::optional<size_t> substrpos(std::string_view s, std::string_view sub) {
  // An empty search text would match everywhere and let callers that loop on
  // a match never advance; it counts as not found.
  if (sub.empty()) return std::nullopt;
  size_t p = s.find(sub);
  if (p == std::string_view::npos) return std::nullopt;
  return p + 1;
}

std::string joinstr(std::string_view a, std::string_view b) {
  std::string out;
  out.reserve(a.size() + b.size());
  out.append(a);
  out.append(b);
  return out;
}

std::optional<std::string> afterprefix(std::string_view p, std::string_view s) {
  if (!s.starts_with(p)) return std::nullopt;
  return std::string(s.substr(p.size()));
}

std::optional<std::string> beforesuffix(std::string_view suf, std::string_view s) {
  if (!s.ends_with(suf)) return std::nullopt;
  return std::string(s.substr(0, s.size() - suf.size()));
}

unsigned char upperchar(unsigned char c) {
  return upper(c);
}

std::string uppercase(std::string_view s) {
  std::string out(s);
  for (char& ch : out) ch = static_cast<char>(upper(static_cast<unsigned char>(ch)));
  return out;
}

std::optional<int32_t> parseinteger(std::string_view s) {
  size_t pos = 0;
  while (pos < s.size() && s[pos] == ' ') ++pos;
  bool negative = pos < s.size() && s[pos] == '-';
  if (negative) ++pos;
  Digits d = readdigits(s, pos);
  if (!d.any || d.value > 0xFFFFFFFFull) return std::nullopt;
  for (size_t i = d.end; i < s.size(); ++i)
    if (s[i] != ' ') return std::nullopt;
  if (negative && d.value > 2147483647ull) return std::nullopt;
  uint32_t bits = static_cast<uint32_t>(d.value);
  if (negative) bits = 0u - bits;
  return static_cast<int32_t>(bits);
}

bool searchstringfailer(std::string_view s, std::string_view sub, int64_t* found) {
  std::optional<size_t> p = substrpos(s, sub);
  int64_t pos = p ? static_cast<int64_t>(*p) : -1;
  facts().foundpos.set(pos);
  if (found) *found = pos;
  return !p;
}

std::string str_replace(std::string_view in, std::string_view search, std::string_view replace) {
  if (search.empty()) return std::string(in);
  // One pass that appends every piece to a single result.
  std::string out;
  out.reserve(in.size());
  size_t from = 0;
  for (size_t p = in.find(search); p != std::string_view::npos; p = in.find(search, from)) {
    out.append(in.substr(from, p - from));
    out.append(replace);
    from = p + search.size();
  }
  out.append(in.substr(from));
  facts().foundpos.set(-1);  // as after the last, unsuccessful search
  return out;
}

std::optional<std::string> trim(std::string_view in) {
  size_t start = 0;
  while (start < in.size() && iswhitespace(static_cast<unsigned char>(in[start]))) ++start;
  if (start == in.size()) return std::nullopt;
  return trimr2(in.substr(start));
}

std::string trimr(std::string_view in) {
  size_t end = in.size();
  while (end > 0 && in[end - 1] == ' ') --end;
  return std::string(in.substr(0, end));
}

std::string trimr2(std::string_view in) {
  if (in.starts_with('~')) return std::string(in);
  return trimr(in);
}

int countperc(std::string_view s, int n0) {
  int n = n0;
  for (char ch : s)
    if (ch == '%') ++n;
  facts().foundpos.set(-1);  // as after the last, unsuccessful search
  return n;
}

std::string inttotext(int64_t n) {
  return std::to_string(n);
}

}  // namespace qs
