#include "foundation/text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "foundation/factstore.h"

namespace qs {
namespace {

class TextTest : public ::testing::Test {
 protected:
  void SetUp() override { resetfacts(); }
};

TEST_F(TextTest, CharClassTable) {
  struct Case {
    int c;
    CharClass expected;
  };
  const Case cases[] = {
      {'0', CharClass::Digit},    {'9', CharClass::Digit},    {'a', CharClass::Lower},
      {'z', CharClass::Lower},    {'A', CharClass::Upper},    {'Z', CharClass::Upper},
      {0x83, CharClass::Lower},   {0x9A, CharClass::Lower},   {0x9C, CharClass::Lower},
      {0x9E, CharClass::Lower},   {0xB5, CharClass::Lower},   {0xDF, CharClass::Lower},
      {0xE0, CharClass::Lower},   {0xF6, CharClass::Lower},   {0xF8, CharClass::Lower},
      {0xFF, CharClass::Lower},   {0x8A, CharClass::Upper},   {0x8C, CharClass::Upper},
      {0x8E, CharClass::Upper},   {0x9F, CharClass::Upper},   {0xC0, CharClass::Upper},
      {0xD6, CharClass::Upper},   {0xD8, CharClass::Upper},   {0xDE, CharClass::Upper},
      {0xD7, CharClass::Other},   {0xF7, CharClass::Other},   {0x80, CharClass::Other},
      {0xA0, CharClass::Other},   {0xBF, CharClass::Other},   {127, CharClass::Other},
      {0, CharClass::End},        {9, CharClass::Blank},      {32, CharClass::Blank},
      {10, CharClass::LineBreak}, {11, CharClass::LineBreak}, {12, CharClass::LineBreak},
      {13, CharClass::LineBreak}, {26, CharClass::LineBreak}, {'_', CharClass::Sign},
      {'"', CharClass::Sign},     {'|', CharClass::Sign},     {'~', CharClass::Sign},
      {'[', CharClass::Sign},     {']', CharClass::Sign},     {'#', CharClass::Other},
      {'&', CharClass::Other},    {'?', CharClass::Other},    {'\\', CharClass::Other},
      {'^', CharClass::Other},    {'{', CharClass::Other},    {'}', CharClass::Other},
      {'@', CharClass::Other},    {'`', CharClass::Other},    {1, CharClass::Other},
      {27, CharClass::Other},
  };
  for (const Case& c : cases)
    EXPECT_EQ(charclass(static_cast<unsigned char>(c.c)), c.expected) << "byte " << c.c;
}

TEST_F(TextTest, SignClassHasExactlyTheTwentyThreeSigns) {
  std::string signs;
  for (int c = 0; c < 256; ++c)
    if (charclass(static_cast<unsigned char>(c)) == CharClass::Sign) signs += static_cast<char>(c);
  EXPECT_EQ(signs, "!\"$%'()*+,-./:;<=>[]_|~");
}

TEST_F(TextTest, UpperCaseTable) {
  const std::pair<int, int> cases[] = {
      {'a', 'A'},   {'z', 'Z'},   {'A', 'A'},   {'1', '1'},   {'{', '{'},
      {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xFF, 0x9F}, {0xE0, 0xC0},
      {0xF6, 0xD6}, {0xF8, 0xD8}, {0xFE, 0xDE}, {0xF7, 0xF7}, {0xDF, 0xDF},
      {0x83, 0x83}, {0xB5, 0xB5}, {0xC0, 0xC0}, {0x8A, 0x8A}, {0xD7, 0xD7},
  };
  for (auto [from, to] : cases)
    EXPECT_EQ(upperchar(static_cast<unsigned char>(from)), to) << "byte " << from;
}

// Over all bytes: upper-casing maps lower-case letters to upper-case letters
// (or leaves those without an upper form), and leaves everything else alone.
TEST_F(TextTest, UpperCaseKeepsClassesConsistent) {
  for (int c = 0; c < 256; ++c) {
    unsigned char u = upperchar(static_cast<unsigned char>(c));
    if (charclass(static_cast<unsigned char>(c)) == CharClass::Lower) {
      EXPECT_TRUE(u == c || charclass(u) == CharClass::Upper) << "byte " << c;
    } else {
      EXPECT_EQ(u, c) << "byte " << c;
    }
  }
  EXPECT_EQ(uppercase("abc\x9a\xff\xdf\xe9-1"), "ABC\x8a\x9f\xdf\xc9-1");
}

TEST_F(TextTest, FirstToken) {
  struct Case {
    std::string input, token, rest;
  };
  const Case cases[] = {
      {"  abc_1.txt", "abc_1", ".txt"},
      {"12.5e3x", "12.5e3", "x"},
      {"12.x", "12", ".x"},
      {"1e+5", "1", "e+5"},
      {"1.5e+5x", "1.5e+5", "x"},
      {"0x1F;", "0x1F", ";"},
      {"-5", "-", "5"},
      {"\"quoted\"", "\"", "quoted\""},
      {"1e5x", "1e5", "x"},
      {"1e-5 ", "1e-5", " "},
      {"1e-x", "1", "e-x"},
      {"1.5ex", "1.5e", "x"},
      {"1.5e-x", "1.5e-", "x"},
      {"1.5.3", "1.5", ".3"},
      {"0x", "0", "x"},
      {"0xg", "0", "xg"},
      {"0o17 x", "0o17", " x"},
      {"0O78", "0O7", "8"},
      {"4294967295.", "4294967295", "."},
      {"4294967296x", "4294967296", "x"},
      {"99999999999.5e2", "99999999999.5e2", ""},
      {"_a1 b", "_a1", " b"},
      {"\t\r\n\x0b\x0c\x1ax", "x", ""},
      {"\xe9t\xe9_2 x", "\xe9t\xe9_2", " x"},
      {"a\xd7"
       "b",
       "a",
       "\xd7"
       "b"},
      {"##", "#", "#"},
      {"x", "x", ""},
  };
  for (const Case& c : cases) {
    std::optional<Split> r = firsttoken(c.input);
    ASSERT_TRUE(r) << c.input;
    EXPECT_EQ(r->first, c.token) << c.input;
    EXPECT_EQ(r->rest, c.rest) << c.input;
  }
  for (std::string blank : {"", "   ", "\t\r\n\x1a"}) EXPECT_FALSE(firsttoken(blank)) << blank;
}

TEST_F(TextTest, FirstCharsAndFirstChar) {
  struct Case {
    int64_t n;
    std::string s;
    std::optional<std::pair<std::string, std::string>> expected;
  };
  const Case cases[] = {
      {0, "abc", std::pair{"", "abc"}}, {2, "abc", std::pair{"ab", "c"}},
      {3, "abc", std::pair{"abc", ""}}, {4, "abc", std::nullopt},
      {-1, "abc", std::nullopt},        {0, "", std::pair{"", ""}},
  };
  for (const Case& c : cases) {
    std::optional<Split> r = firstchars(c.n, c.s);
    ASSERT_EQ(r.has_value(), c.expected.has_value()) << c.n << " " << c.s;
    if (r) {
      EXPECT_EQ(std::pair(r->first, r->rest), *c.expected);
    }
  }
  std::optional<Split> one = firstchar("abc");
  ASSERT_TRUE(one);
  EXPECT_EQ(one->first, "a");
  EXPECT_EQ(one->rest, "bc");
  EXPECT_FALSE(firstchar(""));
  EXPECT_EQ(firstchar("abc", 'a'), "bc");
  EXPECT_FALSE(firstchar("abc", 'b'));
  EXPECT_FALSE(firstchar("", 'a'));
}

TEST_F(TextTest, SubstrPos) {
  struct Case {
    std::string s, sub;
    std::optional<size_t> expected;
  };
  const Case cases[] = {
      {"banana", "a", 2}, {"banana", "nan", 3}, {"banana", "b", 1},  {"abc", "abc", 1},
      {"", "a", {}},      {"ab", "abc", {}},    {"banana", "x", {}}, {"banana", "", {}},
      {"", "", {}},       {"aBc", "b", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(substrpos(c.s, c.sub), c.expected) << c.s << "/" << c.sub;
}

TEST_F(TextTest, PrefixSuffixJoinLength) {
  EXPECT_EQ(afterprefix("", "abc"), "abc");
  EXPECT_EQ(afterprefix("ab", "abc"), "c");
  EXPECT_EQ(afterprefix("abc", "abc"), "");
  EXPECT_FALSE(afterprefix("b", "abc"));
  EXPECT_FALSE(afterprefix("abcd", "abc"));
  EXPECT_FALSE(afterprefix("A", "abc"));
  EXPECT_EQ(beforesuffix("c", "abc"), "ab");
  EXPECT_EQ(beforesuffix("", "abc"), "abc");
  EXPECT_FALSE(beforesuffix("b", "abc"));
  EXPECT_FALSE(beforesuffix("xabc", "abc"));
  EXPECT_EQ(joinstr("ab", "cd"), "abcd");
  EXPECT_EQ(joinstr("", ""), "");
  EXPECT_EQ(strlength("a\xe9\n"), 3u);
}

TEST_F(TextTest, ParseInteger) {
  struct Case {
    std::string s;
    std::optional<int32_t> expected;
  };
  const Case cases[] = {
      {" 42 ", 42},
      {"0x10", 16},
      {"0X1f", 31},
      {"0o17", 15},
      {"0O17", 15},
      {"007", 7},
      {"0x0", 0},
      {"-5", -5},
      {"  -0x10  ", -16},
      {"2147483647", 2147483647},
      {"-2147483647", -2147483647},
      {"4294967295", -1},
      {"0xFFFFFFFF", -1},
      {"2147483648", INT32_MIN},
      {"-2147483648", std::nullopt},
      {"4294967296", std::nullopt},
      {"0x100000000", std::nullopt},
      {"4x", std::nullopt},
      {"+1", std::nullopt},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"-", std::nullopt},
      {"- 1", std::nullopt},
      {"0x", std::nullopt},
      {"0xg", std::nullopt},
      {"0o8", std::nullopt},
      {"\t1", std::nullopt},
      {"1\t", std::nullopt},
      {"1 2", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(parseinteger(c.s), c.expected) << "[" << c.s << "]";
}

TEST_F(TextTest, SearchStringFailerSetsFoundPos) {
  int64_t found = 0;
  EXPECT_FALSE(searchstringfailer("banana", "nan", &found));
  EXPECT_EQ(found, 3);
  EXPECT_EQ(facts().foundpos.get(), 3);
  EXPECT_TRUE(searchstringfailer("banana", "x", &found));
  EXPECT_EQ(found, -1);
  EXPECT_EQ(facts().foundpos.get(), -1);
  EXPECT_FALSE(searchstringfailer("a%b", "%"));
  EXPECT_EQ(facts().foundpos.get(), 2);
  EXPECT_TRUE(searchstringfailer("abc", ""));
  EXPECT_EQ(facts().foundpos.get(), -1);
}

TEST_F(TextTest, StrReplace) {
  struct Case {
    std::string in, search, replace, expected;
  };
  const Case cases[] = {
      {"aaa", "aa", "b", "ba"},
      {"aa", "a", "aa", "aaaa"},
      {"aaaa", "aa", "a", "aa"},
      {"abc", "x", "y", "abc"},
      {"", "a", "b", ""},
      {"abc", "", "z", "abc"},
      {"xaxbx", "x", "", "ab"},
      {"a\\b\\c", "\\", "\\\\", "a\\\\b\\\\c"},
      {"build\\site\\", "build\\", "out\\", "out\\site\\"},
      {"ABab", "ab", "-", "AB-"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(str_replace(c.in, c.search, c.replace), c.expected) << c.in << "/" << c.search;
}

// Many replacements in a long text: a result built by repeated whole-text
// copies would take minutes here.
TEST_F(TextTest, StrReplaceOnLongText) {
  std::string in;
  for (int i = 0; i < 400000; ++i) in += "a\r\n";
  std::string out = str_replace(in, "\r", "");
  EXPECT_EQ(out.size(), 800000u);
  EXPECT_EQ(out.substr(0, 4), "a\na\n");
}

TEST_F(TextTest, Trim) {
  struct Case {
    std::string in;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"  x y  ", "x y"},
      {"\tx ", "x"},
      {" ~x  ", "~x  "},
      {"x\t", "x\t"},
      {"\r\n\x0b\x1ax y \t ", "x y \t"},
      {"~", "~"},
      {"x", "x"},
      {"", std::nullopt},
      {" \t\r\n", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(trim(c.in), c.expected) << "[" << c.in << "]";
}

TEST_F(TextTest, TrimrAndTrimr2) {
  const std::pair<std::string, std::string> trimrcases[] = {
      {"a  ", "a"}, {"  ", ""}, {"a\t", "a\t"}, {" a", " a"}, {"a \t ", "a \t"}, {"", ""},
  };
  for (const auto& [in, out] : trimrcases) EXPECT_EQ(trimr(in), out) << "[" << in << "]";
  EXPECT_EQ(trimr2("~a  "), "~a  ");
  EXPECT_EQ(trimr2(" ~a "), " ~a");
  EXPECT_EQ(trimr2("a  "), "a");
}

TEST_F(TextTest, CountPerc) {
  EXPECT_EQ(countperc("%d%%", 0), 3);
  EXPECT_EQ(countperc("abc", 5), 5);
  EXPECT_EQ(countperc("%", 2), 3);
  EXPECT_EQ(countperc("", 0), 0);
}

TEST_F(TextTest, IntToText) {
  EXPECT_EQ(inttotext(0), "0");
  EXPECT_EQ(inttotext(-5), "-5");
  EXPECT_EQ(inttotext(2147483647), "2147483647");
  EXPECT_EQ(inttotext(INT32_MIN), "-2147483648");
}

}  // namespace
}  // namespace qs
