#include "foundation/formatter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/error.h"
#include "foundation/factstore.h"

namespace qs {
namespace {

class FormatterTest : public ::testing::Test {
 protected:
  void SetUp() override { resetfacts(); }
};

struct Case {
  std::string format;
  std::vector<FmtValue> values;
  std::string expected;
};

TEST_F(FormatterTest, Renders) {
  const int32_t minus1 = -1;
  const Case cases[] = {
      // literals, "%%" and placeholder counting
      {"[%]", {"abc"}, "[abc]"},
      {"%s%s", {"a", "b"}, "ab"},
      {"100%% %", {"x"}, "100% x"},
      {"abc%%", {}, "abc%"},
      {"%%%", {"x"}, "%x"},
      {"a%b%c", {"X"}, "aXb"},
      {"a%sb", {}, "a"},
      {"abc%", {"x"}, "abcx"},
      {"a\\n%", {"x"}, "a\\nx"},
      {"", {}, ""},
      // text width, justification, fill and precision
      {"%5s|", {"ab"}, "   ab|"},
      {"%-5s|", {"ab"}, "ab   |"},
      {"%05s", {"ab"}, "000ab"},
      {"%-05s|", {"ab"}, "ab   |"},
      {"%2s|", {"abcd"}, "abcd|"},
      {"%0s|", {"ab"}, "ab|"},
      {"%.2s", {"abcd"}, "ab"},
      {"%.0s", {"abcd"}, ""},
      {"%.9s", {"abcd"}, "abcd"},
      {"%.s", {"abcd"}, "abcd.s"},
      {"%5.2s|", {"abcd"}, "   ab|"},
      {"%-", {"a"}, "a"},
      {"% s", {"a"}, "a s"},
      // letters a text does not accept stay literal
      {"%d", {"abc"}, "abcd"},
      {"%i", {"abc"}, "abci"},
      {"%S", {"abc"}, "abcS"},
      {"%X", {"abc"}, "3"},
      {"%X|", {""}, "0|"},
      // values are never scanned for placeholders
      {"<%>", {"50% %s %%"}, "<50% %s %%>"},
      // integers
      {"%s", {7}, "7s"},
      {"%", {7}, "7"},
      {"%d", {7}, "7"},
      {"%D", {-7}, "-7"},
      {"%d", {INT32_MIN}, "-2147483648"},
      {"%x", {255}, "FF"},
      {"%X", {255}, "FF"},
      {"%x", {minus1}, "FFFFFFFF"},
      {"%o", {8}, "10"},
      {"%O", {minus1}, "37777777777"},
      {"%u", {minus1}, "4294967295"},
      {"%U", {42}, "42"},
      {"%c", {65}, "A"},
      {"%c", {0x141}, "A"},
      {"%c|", {0}, "|"},
      {"%C", {65}, "65C"},
      {"%5d", {42}, "   42"},
      {"%-5d|", {42}, "42   |"},
      {"%05d", {42}, "00042"},
      {"%05d", {-42}, "00-42"},
      {"%1d", {-42}, "-42"},
      {"%.3d", {12345}, "12345"},
      {"%3c|", {66}, "  B|"},
      {"%08X", {minus1}, "FFFFFFFF"},
      // unsigned values
      {"%", {4294967295u}, "4294967295"},
      {"%d", {4294967295u}, "-1"},
      {"%x", {4294967295u}, "FFFFFFFF"},
      {"%s", {3u}, "3s"},
      // mixed kinds
      {"%s at %d: %", {"file", 3, 9u}, "file at 3: 9"},
  };
  for (const Case& c : cases) EXPECT_EQ(formattext(c.format, c.values), c.expected) << c.format;
}

TEST_F(FormatterTest, LargeWidthsAreFilledExactly) {
  EXPECT_EQ(formattext("%300s", {"a"}), std::string(299, ' ') + "a");
  EXPECT_EQ(formattext("%-300s|", {"a"}), "a" + std::string(299, ' ') + "|");
  EXPECT_EQ(formattext("%0300d", {-1}), std::string(298, '0') + "-1");
}

TEST_F(FormatterTest, Errors) {
  struct ErrorCase {
    std::string format;
    std::vector<FmtValue> values;
    int code;
  };
  const ErrorCase cases[] = {
      {"ab", {"x"}, err::kFormatSurplus},     {"100%%", {"x"}, err::kFormatSurplus},
      {"%", {"a", "b"}, err::kFormatSurplus}, {"", {1}, err::kFormatSurplus},
      {"%20000000s", {"a"}, err::kNoMemory},  {"%99999999999999999999999d", {1}, err::kNoMemory},
  };
  for (const ErrorCase& c : cases) {
    try {
      formattext(c.format, c.values);
      ADD_FAILURE() << "no error for " << c.format;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.code(), c.code) << c.format;
    }
  }
}

// writeformatted gives the same text as formattext, and on an error the
// pieces before it have been written.
TEST_F(FormatterTest, WriteFormatted) {
  struct WriteCase {
    std::string format;
    std::vector<FmtValue> values;
    std::string written;
    int code;  // 0: no error
  };
  const WriteCase cases[] = {
      {"Saved: %\n", {"C:\\b\\x.html"}, "Saved: C:\\b\\x.html\n", 0},
      {"a%%b%c%", {"1"}, "a%b1c", 0},
      {"a%b", {"1", "2"}, "a1b", err::kFormatSurplus},
      {"a%b%99999999s", {"x", "y"}, "axb", err::kNoMemory},
      {"%5d|", {42}, "   42|", 0},
  };
  for (const WriteCase& c : cases) {
    int code = 0;
    ::testing::internal::CaptureStdout();
    try {
      writeformatted(c.format, c.values);
    } catch (const RuntimeError& e) {
      code = e.code();
    }
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), c.written) << c.format;
    EXPECT_EQ(code, c.code) << c.format;
  }
}

TEST_F(FormatterTest, WriteFormattedIgnoresQuietMode) {
  facts().quiet.append(Quiet{});
  ::testing::internal::CaptureStdout();
  writeformatted("[%]", {"x"});
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "[x]");
}

}  // namespace
}  // namespace qs
