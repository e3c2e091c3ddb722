#include "foundation/formatter.h"

#include <cstdint>
#include <new>
#include <stdexcept>

#include "foundation/console.h"
#include "foundation/error.h"

namespace qs {

namespace {

// Widths beyond this are refused rather than filled: no format of the
// program or of a sensible user needs them, and filling them could exhaust
// memory.
constexpr size_t kMaxWidth = size_t{16} << 20;

[[noreturn]] void raisenomemory() {
  raise(err::kNoMemory, "formatter", 2);
}

struct Placeholder {
  bool left = false;
  bool zerofill = false;
  size_t width = 0;
  bool hasprecision = false;
  size_t precision = 0;
  char letter = 0;  // 0: the kind's default letter
};

bool isdigit(char ch) {
  return ch >= '0' && ch <= '9';
}

bool accepts(FmtValue::Kind kind, char letter) {
  static constexpr std::string_view kTextLetters = "Xs";
  static constexpr std::string_view kNumberLetters = "dDuUxXoOc";
  std::string_view accepted = kind == FmtValue::Kind::Text ? kTextLetters : kNumberLetters;
  return accepted.find(letter) != std::string_view::npos;
}

// Walks the format once; each call consumes the next piece of it.
class FormatReader {
 public:
  explicit FormatReader(std::string_view format) : format_(format) {}

  /// Appends the literal run up to the next single "%" or the end; true when
  /// a placeholder starts there.
  bool literal(std::string& out) {
    while (pos_ < format_.size()) {
      size_t p = format_.find('%', pos_);
      if (p == std::string_view::npos) p = format_.size();
      out.append(format_.substr(pos_, p - pos_));
      pos_ = p;
      if (pos_ == format_.size()) break;
      if (pos_ + 1 < format_.size() && format_[pos_ + 1] == '%') {
        out += '%';
        pos_ += 2;
        continue;
      }
      return true;
    }
    return false;
  }

  /// Reads the placeholder that stands at "%" for a value of the given kind.
  Placeholder placeholder(FmtValue::Kind kind) {
    Placeholder ph;
    ++pos_;
    if (take('-')) ph.left = true;
    if (pos_ < format_.size() && format_[pos_] == '0') ph.zerofill = true;
    ph.width = number();
    if (pos_ + 1 < format_.size() && format_[pos_] == '.' && isdigit(format_[pos_ + 1])) {
      ++pos_;
      ph.hasprecision = true;
      ph.precision = number();
    }
    if (pos_ < format_.size() && accepts(kind, format_[pos_])) ph.letter = format_[pos_++];
    return ph;
  }

 private:
  bool take(char ch) {
    if (pos_ >= format_.size() || format_[pos_] != ch) return false;
    ++pos_;
    return true;
  }

  // A run of decimal digits; saturates instead of wrapping around.
  size_t number() {
    constexpr size_t kCap = SIZE_MAX / 16;
    size_t n = 0;
    while (pos_ < format_.size() && isdigit(format_[pos_])) {
      n = n * 10 + (format_[pos_++] - '0');
      if (n > kCap) n = kCap;
    }
    return n;
  }

  std::string_view format_;
  size_t pos_ = 0;
};

void appendunsigned(std::string& out, uint32_t v, uint32_t base) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  char buf[32];
  size_t n = 0;
  do {
    buf[n++] = kDigits[v % base];
    v /= base;
  } while (v != 0);
  while (n > 0) out += buf[--n];
}

void rendernumber(std::string& out, uint32_t bits, char letter) {
  switch (letter) {
    case 'D': {
      int32_t v = static_cast<int32_t>(bits);
      if (v < 0) out += '-';
      // The magnitude as unsigned, so that the smallest value negates safely.
      appendunsigned(out, v < 0 ? 0u - bits : bits, 10);
      break;
    }
    case 'U':
      appendunsigned(out, bits, 10);
      break;
    case 'X':
      appendunsigned(out, bits, 16);
      break;
    case 'O':
      appendunsigned(out, bits, 8);
      break;
    case 'c':
      // Texts never hold the byte 0, so a zero code renders as nothing.
      if ((bits & 0xFF) != 0) out += static_cast<char>(bits & 0xFF);
      break;
  }
}

char numberletter(const FmtValue& v, char letter) {
  if (letter == 0) return v.kind == FmtValue::Kind::Integer ? 'D' : 'U';
  if (letter == 'c') return 'c';
  return letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 0x20) : letter;
}

void render(std::string& out, const FmtValue& v, const Placeholder& ph) {
  if (v.kind != FmtValue::Kind::Text) {
    rendernumber(out, v.bits, numberletter(v, ph.letter));
  } else if (ph.letter == 'X') {
    // A text under "X" shows the hexadecimal of its length.
    appendunsigned(out, static_cast<uint32_t>(v.text.size()), 16);
  } else {
    std::string_view t = v.text;
    if (ph.hasprecision && t.size() > ph.precision) t = t.substr(0, ph.precision);
    out.append(t);
  }
}

// Renders one value and fills it up to the width, in place at the end of out.
void renderwidth(std::string& out, const FmtValue& v, const Placeholder& ph) {
  if (ph.width > kMaxWidth) raisenomemory();
  size_t start = out.size();
  render(out, v, ph);
  size_t len = out.size() - start;
  if (len >= ph.width) return;
  size_t fill = ph.width - len;
  if (ph.left) {
    out.append(fill, ' ');
  } else {
    out.insert(start, fill, ph.zerofill ? '0' : ' ');
  }
}

// The shared walk over format and values: emit(out) is called each time a
// piece (the leading literal, or a rendering and the literal after it) is
// complete; it may write the piece out and clear it.
template <class Emit>
void runformat(std::string_view format, std::span<const FmtValue> values, std::string& out,
               Emit emit) {
  try {
    FormatReader reader(format);
    bool atplaceholder = reader.literal(out);
    emit(out);
    for (const FmtValue& v : values) {
      if (!atplaceholder) raise(err::kFormatSurplus, "formatter", 1);
      renderwidth(out, v, reader.placeholder(v.kind));
      atplaceholder = reader.literal(out);
      emit(out);
    }
  } catch (const std::bad_alloc&) {
    raisenomemory();
  } catch (const std::length_error&) {
    raisenomemory();
  }
}

}  // namespace

std::string formattext(std::string_view format, std::span<const FmtValue> values) {
  std::string out;
  runformat(format, values, out, [](std::string&) {});
  return out;
}

void writeformatted(std::string_view format, std::span<const FmtValue> values) {
  std::string piece;
  runformat(format, values, piece, [](std::string& p) {
    if (!p.empty()) writeout(p);
    p.clear();
  });
}

}  // namespace qs
