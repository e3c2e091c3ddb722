#include "engine/interpreter.h"

#include <gtest/gtest.h>

#include "engine/pagetest.h"

namespace qs {
namespace {

using enginetest::EngineTest;
using enginetest::Expanded;

using InterpreterTest = EngineTest;

TEST_F(InterpreterTest, BindingOrder) {
  struct Case {
    const char* source;
    const char* text;
  };
  const Case cases[] = {
      {"[[p(\"t\",\"A\")]][[v(\"t\")]]", "A"},
      {"[[p(\"t\",\"A\")]][[p(\"t\",\"B\")]][[v(\"t\")]]", "B"},
      {"[[p(\"x\",\"1\")]][[p(\"x\",\"2\")]][[a(\"y\",\"3\")]][[v(\"x\")]]", "1"},
      {"[[in(\"<\",[g(\"k\",\"1\"),g(\"k\",\"2\")])]][[v(\"k\")]]", "2"},
      {"[[in(\">\",[g(\"k\",\"1\"),g(\"k\",\"2\")])]][[v(\"k\")]]", "1"},
      {"[[p(\"t\",\"B\")]][[a(\"t\",\"A\")]][[v(\"t\")]]", "B"},
      {"[[a(\"t\",\"A\")]][[v(\"t\")]]", "A"},
      {"[[p(\"t\",\"A\")]][[v(\" t \")]]", "A"},
      {"[[in(\"<\",[])]]", ""},
      {"[[i(\"<\")]]", ""},
      {"[[p(\"x\",\"1\")]][[p(\"x\",\"2\")]][[i(\">\")]][[v(\"x\")]]", "1"},
      {"[[beg(\"Posts\")]]x[[end]]", "{{range Posts }}x{{end}}"},
      {"[[beg(\" Posts \")]]", "{{range Posts }}"},
      {"[[v(\"!.txt!\")]][[v(\"!.!\")]]", "!.txt!!.!"},
      {"[[v(\"z\")]]", "z"},
  };
  for (const Case& c : cases) {
    Expanded e = expand(c.source);
    EXPECT_EQ(e.text, c.text) << c.source;
    EXPECT_EQ(e.out, "") << c.source;
  }
}

TEST_F(InterpreterTest, FramesHideGlobalsAndGlobalsHideBuiltins) {
  facts().g.append(Global{"t", "global"});
  facts().g.append(Global{"_y", "1999"});
  EXPECT_EQ(expand("[[v(\"t\")]][[v(\"_y\")]]").text, "global1999");
  EXPECT_EQ(expand("[[a(\"t\",\"frame\")]][[v(\"t\")]]").text, "frame");
}

TEST_F(InterpreterTest, BlankArgumentsFail) {
  for (const char* source : {"[[beg(\"\")]]", "[[beg(\"  \")]]", "[[v(\" \")]]", "[[i(\" \")]]"}) {
    Expanded e = expand(source);
    std::string inner(source + 2, std::string_view(source).size() - 4);
    EXPECT_EQ(e.text, inner) << source;
    EXPECT_EQ(e.out, "Warning: Unknown meta-instruction found in\n" + src("page.sd") + "\n\n")
        << source;
  }
}

TEST_F(InterpreterTest, UnknownVariableWarnsOnce) {
  Expanded e = expand("[[v(\"zz\")]]");
  EXPECT_EQ(e.text, "");
  EXPECT_EQ(e.out, "WARNING: Could not find value for \"zz\" in file: " + src("page.sd") + "\n");
}

TEST_F(InterpreterTest, IncludedSourceSeesItsOwnBindingsFirst) {
  source("part.sd", "[[v(\"aa\")]][[v(\"bb\")]][[v(\"cc\")]][[p(\"cc\",\"inner\")]][[v(\"cc\")]]");
  Expanded e = expand(
      "[[p(\"aa\",\"page\")]][[p(\"cc\",\"page\")]]"
      "[[in(\"part.sd\",[g(\"aa\",\"A\"),g(\"bb\",\"B\"),g(\"aa\",\"later\")])]]|"
      "[[v(\"cc\")]][[v(\"bb\")]]");
  EXPECT_EQ(e.text, "ABpageinner|page");
  EXPECT_EQ(e.out, "WARNING: Could not find value for \"bb\" in file: " + src("page.sd") + "\n");
}

TEST_F(InterpreterTest, IncludeByVariableFallsBackToTheLiteralName) {
  source("foot.sd", "FOOT");
  source("!part.sd", "LITERAL");
  EXPECT_EQ(expand("[[p(\"part\",\"foot.sd\")]][[in(\" !part\",[])]]").text, "FOOT");
  // No variable "part.sd": the file of that very name.
  EXPECT_EQ(expand("[[in(\"!part.sd\",[])]]").text, "LITERAL");
}

TEST_F(InterpreterTest, IncludeNamesAreTrimmedButAngleBracketsAreExact) {
  source("header.sd", "H");
  EXPECT_EQ(expand("[[i(\" header.sd \")]]").text, "H");
  Expanded e = expand("[[in(\" <\",[g(\"k\",\"1\")])]][[v(\"k\")]]");
  EXPECT_EQ(e.text, "in(\" <\",[g(\"k\",\"1\")])k");
  EXPECT_TRUE(
      e.out.ends_with("Warning: Unknown meta-instruction found in\n" + src("page.sd") + "\n\n"))
      << e.out;
}

TEST_F(InterpreterTest, FailedIncludeKeepsEarlierEffectsAndIsUnknown) {
  Expanded e = expand("[[p(\"a\",\"1\"), i(\"missing.sd\")]][[v(\"a\")]]");
  EXPECT_EQ(e.text, "p(\"a\",\"1\"), i(\"missing.sd\")1");
  EXPECT_NE(e.out.find("Either the file does not exist or I could not find the handler for:\n" +
                       missing("missing.sd") + "\n\n"),
            std::string::npos)
      << e.out;
  EXPECT_TRUE(
      e.out.ends_with("Warning: Unknown meta-instruction found in\n" + src("page.sd") + "\n\n"))
      << e.out;
}

TEST_F(InterpreterTest, DirectFileFillsItsPlaceholders) {
  facts().directfiles.append(DirectFiles{{".txt"}});
  source("notice.txt", "N[!.txt!][[v(\"x\")]]");
  Expanded e =
      expand("[[v(\"!.txt!\")]] !.txt! [[i(\"notice.txt\")]] after !.txt! [[i(\"notice.txt\")]]");
  EXPECT_EQ(e.text, "notice notice N[notice][[v(\"x\")]] after notice N[notice][[v(\"x\")]]");
  EXPECT_EQ(e.out, "");
}

TEST_F(InterpreterTest, PlaceholderAfterTheDirectFileWaitsForTheNextOne) {
  facts().directfiles.append(DirectFiles{{".txt", ".html"}});
  source("a.txt", "A");
  source("b.html", "B");
  source("sub/c.txt", "C");
  Expanded e = expand(
      "[[i(\"a.txt\")]]<!.txt!|!.html!>[[i(\"b.html\")]]<!.txt!|!.html!>[[i(\"sub\\c.txt\")]]");
  EXPECT_EQ(e.text, "A<c|b>B<c|!.html!>C");
}

TEST_F(InterpreterTest, DirectFileOutsideTheListIsExpanded) {
  source("notice.txt", "[[v(\"q\")]]");
  EXPECT_EQ(expand("[[i(\"notice.txt\")]]").text, "q");
}

TEST_F(InterpreterTest, AddToCurrNvNeedsAFrame) {
  facts().currstreamfile.clear();
  EXPECT_FALSE(addtocurrnv("<", {{"a", "1"}}));
}

TEST_F(InterpreterTest, RepeatedDirectFilesReplaceEachNewPlaceholder) {
  facts().directfiles.append(DirectFiles{{".txt"}});
  source("d.txt", "-!.txt!");
  std::string page = "x!.txt!";
  for (int i = 0; i < 200; ++i) page += "[[i(\"d.txt\")]]!.t";
  page += "xt!";
  std::string want = "xd";
  for (int i = 0; i < 200; ++i) want += i + 1 < 200 ? "-d!.t" : "-d!.txt!";
  EXPECT_EQ(expand(page).text, want);
}

TEST_F(InterpreterTest, PlaceholderFormedByAReplacementWaitsForTheNextDirectFile) {
  facts().directfiles.append(DirectFiles{{".txt"}});
  source("t!.txt", "!.txt!");
  source("a.txt", "A");
  EXPECT_EQ(expand("!.tx[[i(\"t!.txt\")]]|").text, "!.txt!|");
  EXPECT_EQ(expand("!.tx[[i(\"t!.txt\")]]|[[i(\"a.txt\")]]").text, "a|A");
}

TEST_F(InterpreterTest, ShorterReplacementOfAnotherExtensionKeepsPlaceholdersInView) {
  facts().directfiles.append(DirectFiles{{".txt", ".html"}});
  source("a.txt", "A");
  source("b.html", "B");
  source("c.txt", "C");
  // The .html replacement shortens the text before the pending !.txt!, which
  // the next .txt file must still find.
  EXPECT_EQ(expand("!.html!!.html!!.html![[i(\"a.txt\")]]!.txt![[i(\"b.html\")]]"
                   "0123456789012345[[i(\"c.txt\")]]")
                .text,
            "bbbAcB0123456789012345C");
  // A .html replacement that completes a !.txt! before the last .txt file.
  source("t!.html", "T");
  EXPECT_EQ(expand("!.tx!.html![[i(\"a.txt\")]][[i(\"t!.html\")]][[i(\"c.txt\")]]").text, "cATC");
}

}  // namespace
}  // namespace qs
