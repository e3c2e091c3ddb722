#include "engine/scanner.h"

#include <gtest/gtest.h>

#include "engine/pagetest.h"

namespace qs {
namespace {

using enginetest::EngineTest;
using enginetest::Expanded;

class ScannerTest : public EngineTest {
 protected:
  std::string unknown() const {
    return "Warning: Unknown meta-instruction found in\n" + src("page.sd") + "\n\n";
  }
};

TEST_F(ScannerTest, TextAroundInstructions) {
  struct Case {
    const char* source;
    const char* text;
    bool warns;
  };
  const Case cases[] = {
      {"no instructions ]] here", "no instructions ]] here", false},
      {"ab[[]]cd", "abcd", false},
      {"ab[[   ]]cd", "abcd", false},
      {"[[p(\"a\",\"1\"), v(\"a\")]]", "1", false},
      {"[[p(\"a\",\"1\"),\nv(\"a\")\n]]", "1", false},
      {"[[p(\"t\",\"x\ny\")]][[v(\"t\")]]", "xy", false},
      {"[[v(\"x\")]]", "x", false},
      {"[[end]][[end()]]", "{{end}}{{end}}", false},
      {"[[v (\"a\")]]", "v (\"a\")", true},
      {"x[[a[[b]]c]]y", "xa[[bc]]y", true},
      {"[[p(\"x\",\"]]\")]]", "p(\"x\",\"\")]]", true},
      {"[[p(\"a\",\t\"1\")]]", "p(\"a\",\t\"1\")", true},
      {"[[v(\"a\")],[v(\"b\")]]", "v(\"a\")],[v(\"b\")", true},
      // The first failing instruction skips the rest of its text.
      {"[[v(\"\"), p(\"a\",\"1\")]][[v(\"a\")]]", "v(\"\"), p(\"a\",\"1\")a", true},
      // A line feed inside an unknown instruction text is deleted too.
      {"[[bad\ninstruction]]", "badinstruction", true},
  };
  for (const Case& c : cases) {
    Expanded e = expand(c.source);
    EXPECT_EQ(e.text, c.text) << c.source;
    EXPECT_EQ(e.out, c.warns ? unknown() : "") << c.source;
  }
}

TEST_F(ScannerTest, UnknownVariableIsNotAnUnknownInstruction) {
  Expanded e = expand("a[[v(\"title\")]]b");
  EXPECT_EQ(e.text, "ab");
  EXPECT_EQ(e.out, "WARNING: Could not find value for \"title\" in file: " + src("page.sd") + "\n");
}

TEST_F(ScannerTest, StartWithoutEndFailsKeepingTheTextBefore) {
  bool ok = true;
  Expanded e = expand("ab[[p(\"a\",\"1\")]]cd[[v(\"a\")", &ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(e.text, "abcd");
  EXPECT_EQ(e.out, "");
}

TEST_F(ScannerTest, EqualDelimitersAlternate) {
  facts().currstreamfile.pushfront(Frame{"p.sd", {}});
  EXPECT_TRUE(stream_toks("a@@p(\"k\",\"K\")@@b@@v(\"k\")@@c", "@@", "@@"));
  EXPECT_EQ(facts().accumulator.get(), "abKc");
}

TEST_F(ScannerTest, EmptyDelimitersMeanNoInstructions) {
  EXPECT_TRUE(stream_toks("a[[v(\"x\")]]b", "", "]]"));
  EXPECT_TRUE(stream_toks("|c", "[[", ""));
  EXPECT_EQ(facts().accumulator.get(), "a[[v(\"x\")]]b|c");
}

TEST_F(ScannerTest, QuietModeSilencesTheWarning) {
  facts().quiet.append(Quiet{});
  Expanded e = expand("[[nonsense]]");
  EXPECT_EQ(e.text, "nonsense");
  EXPECT_EQ(e.out, "");
}

}  // namespace
}  // namespace qs
