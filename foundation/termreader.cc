#include "foundation/termreader.h"

#include "foundation/error.h"
#include "foundation/factstore.h"
#include "foundation/text.h"
#include "platform/platform.h"

namespace qs {

void raisereader(int code) { raise(code, "termreader", code % 100); }

void TermCursor::skipspaces() {
  while (!atend() && text_[pos_] == ' ') ++pos_;
}

void TermCursor::skipwhitespace() {
  while (!atend() && iswhitespace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
}

bool TermCursor::take(char c) {
  if (atend() || text_[pos_] != c) return false;
  ++pos_;
  return true;
}

std::string TermCursor::readtext() {
  if (!take('"')) raisereader(err::kNoQuote);
  std::string out;
  for (;;) {
    if (atend()) raisereader(err::kUnterminatedText);
    char ch = text_[pos_++];
    if (ch == '"') return out;
    if (ch == '\\' && !atend()) {
      char next = text_[pos_];
      // \n, \r, \\ and \" are escapes; any other backslash is itself and the
      // character after it is read normally.
      if (next == 'n' || next == 'r' || next == '\\' || next == '"') {
        ++pos_;
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
        continue;
      }
    }
    out += ch;
  }
}

namespace {
int digitvalue(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return 99;
}
}  // namespace

int32_t TermCursor::readinteger() {
  skipspaces();
  bool negative = take('-');
  int base = 10;
  if (pos_ + 1 < text_.size() && text_[pos_] == '0') {
    char p = text_[pos_ + 1];
    int b = (p == 'x' || p == 'X') ? 16 : (p == 'o' || p == 'O') ? 8 : 0;
    if (b != 0 && pos_ + 2 < text_.size() && digitvalue(text_[pos_ + 2]) < b) {
      base = b;
      pos_ += 2;
    }
  }
  if (atend() || digitvalue(text_[pos_]) >= base) raisereader(err::kNoInteger);
  uint64_t magnitude = 0;
  bool overflow = false;
  while (!atend() && digitvalue(text_[pos_]) < base) {
    magnitude = magnitude * base + digitvalue(text_[pos_++]);
    if (magnitude > 0xFFFFFFFFull) overflow = true, magnitude = 0xFFFFFFFFull;
  }
  if (overflow || magnitude > 2147483647ull) raisereader(err::kIntegerRange);
  int32_t v = static_cast<int32_t>(magnitude);
  return negative ? -v : v;
}

std::string_view TermCursor::readname() {
  size_t start = pos_;
  while (!atend()) {
    char ch = text_[pos_];
    if (ch == '(' || ch == ')' || ch == ',' || ch == ']') break;
    ++pos_;
  }
  return text_.substr(start, pos_ - start);
}

void loadsettingsrecords(std::string_view filename) {
  std::string text = str_replace(platform::readfile(filename), "\r", "");
  size_t start = 0;
  while (start < text.size()) {
    size_t nl = text.find('\n', start);
    size_t end = nl == std::string::npos ? text.size() : nl;
    TermCursor c(std::string_view(text).substr(start, end - start));
    SettingsRecord record;
    readterm(c, record);
    facts().append(record);
    start = nl == std::string::npos ? text.size() : nl + 1;
  }
}

}  // namespace qs
