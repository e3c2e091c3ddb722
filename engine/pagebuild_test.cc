#include "engine/pagebuild.h"

#include <gtest/gtest.h>

#include "engine/pagetest.h"
#include "foundation/error.h"

namespace qs {
namespace {

using enginetest::EngineTest;

class PageBuildTest : public EngineTest {
 protected:
  std::string saved(std::string_view rel) const {
    return "Saved: " + win("build/" + std::string(rel)) + "\n";
  }
  std::string circular(std::string_view rel) const {
    return "Circular logic: " + src(rel) + " was used earlier. Cannot include it again\n";
  }
  std::string unknownin(std::string_view rel) const {
    return "Warning: Unknown meta-instruction found in\n" + src(rel) + "\n\n";
  }
};

TEST_F(PageBuildTest, PageIsExpandedAndSavedWithTheOutputExtension) {
  source("index.sd", "<h1>[[i(\"nav.sd\")]]</h1>\n");
  source("nav.sd", "[[p(\"t\",\"T\")]]nav[[v(\"t\")]]");
  EXPECT_EQ(build({"index.sd"}), saved("index.html"));
  EXPECT_EQ(read("build/index.html"), "<h1>navT</h1>\r\n");
}

TEST_F(PageBuildTest, SecondPageStartsFromNothing) {
  source("one.sd", "[[p(\"tt\",\"1\")]][[i(\"a.sd\")]]one");
  source("two.sd", "[[v(\"tt\")]][[i(\"a.sd\")]]two");
  source("a.sd", "[[i(\"b.sd\")]]");
  source("b.sd", "b");
  std::string out = build({"one.sd", "two.sd"});
  EXPECT_EQ(out, saved("one.html") + "WARNING: Could not find value for \"tt\" in file: " +
                     src("two.sd") + "\n" + saved("two.html"));
  EXPECT_EQ(read("build/one.html"), "bone");
  EXPECT_EQ(read("build/two.html"), "btwo");
}

TEST_F(PageBuildTest, CircularityRule) {
  struct Case {
    const char* name;
    const char* page;
    const char* output;
    std::string messages;
  };
  source("a.sd", "A");                 // includes nothing
  source("b.sd", "B[[i(\"c.sd\")]]");  // includes c.sd last
  source("c.sd", "C");
  source("d.sd", "D[[in(\"!part\",[])]]");  // includes by variable
  source("e.sd", "E[[in(\"<\",[])]]");      // a binding change only
  const Case cases[] = {
      {"self", "x[[i(\"self.sd\")]]y", "xi(\"self.sd\")y",
       circular("self.sd") + unknownin("self.sd")},
      {"twice", "[[i(\"a.sd\")]][[i(\"a.sd\")]]", "AA", ""},
      {"nested", "[[i(\"b.sd\")]][[i(\"c.sd\")]][[i(\"b.sd\")]]", "BCCi(\"b.sd\")",
       circular("b.sd") + unknownin("nested.sd")},
      {"byvar", "[[p(\"part\",\"c.sd\")]][[i(\"d.sd\")]][[i(\"d.sd\")]]", "DCi(\"d.sd\")",
       circular("d.sd") + unknownin("byvar.sd")},
      {"binding", "[[i(\"e.sd\")]][[i(\"e.sd\")]]", "EE", ""},
  };
  for (const Case& c : cases) {
    std::string page = std::string(c.name) + ".sd";
    source(page, c.page);
    std::string html = std::string(c.name) + ".html";
    EXPECT_EQ(build({page}), c.messages + saved(html)) << c.name;
    EXPECT_EQ(read("build/" + html), c.output) << c.name;
  }
}

TEST_F(PageBuildTest, InsertionFreeSourcesAreRecordedPerInclusion) {
  source("b.sd", "[[i(\"c.sd\")]]");
  source("c.sd", "c");
  source("page.sd", "[[i(\"b.sd\")]]");
  build({"page.sd"});
  EXPECT_TRUE(facts().noinsertionshere.contains(src("c.sd")));
  EXPECT_FALSE(facts().noinsertionshere.contains(src("b.sd")));
  EXPECT_FALSE(facts().noinsertionshere.contains(src("page.sd")));
  EXPECT_TRUE(facts().hasnoinsertions.empty());
  EXPECT_TRUE(facts().seenfile.contains(src("b.sd")));
}

TEST_F(PageBuildTest, DirectFilesMayBeIncludedAgainAndAgain) {
  facts().directfiles.append(DirectFiles{{".txt"}});
  source("n.txt", "[[i(\"n.txt\")]]");
  source("page.sd", "[[i(\"n.txt\")]][[i(\"n.txt\")]][[i(\"n.txt\")]]");
  EXPECT_EQ(build({"page.sd"}), saved("page.html"));
  EXPECT_EQ(read("build/page.html"), "[[i(\"n.txt\")]][[i(\"n.txt\")]][[i(\"n.txt\")]]");
}

TEST_F(PageBuildTest, FailedInclusionLeavesItsTextAndNoFrame) {
  source("broken.sd", "before[[v(\"x\")");
  source("page.sd", "[[i(\"broken.sd\")]][[p(\"t\",\"T\")]]|[[v(\"t\")]]");
  EXPECT_EQ(build({"page.sd"}), unknownin("page.sd") + saved("page.html"));
  EXPECT_EQ(read("build/page.html"), "beforei(\"broken.sd\")|T");
  EXPECT_EQ(facts().currstreamfile.size(), 1u);
}

TEST_F(PageBuildTest, UnreadableOrUnterminatedPageIsNotWritten) {
  source("open.sd", "text[[v(\"x\")");
  EXPECT_EQ(build({"open.sd"}), "Could not process: open.sd\n");
  EXPECT_FALSE(exists("build/open.html"));
  std::string out = build({"missing.sd", "open.sd"});
  EXPECT_TRUE(out.ends_with(
      "Either the file does not exist or I could not find the handler for:\n" +
      missing("missing.sd") + "\n\nCould not process: missing.sd\nCould not process: open.sd\n"))
      << out;
}

TEST_F(PageBuildTest, QuietPageFailureShowsOnlyTheErrorReports) {
  facts().quiet.append(Quiet{});
  std::string out = build({"missing.sd"});
  EXPECT_EQ(out.find("Could not process"), std::string::npos);
  EXPECT_TRUE(out.starts_with("Error: ")) << out;
  EXPECT_TRUE(out.ends_with("Encountered in " + missing("missing.sd") + "\n\n")) << out;
}

TEST_F(PageBuildTest, RebuildKeepsTheOldOutputAsBackup) {
  source("x.sd", "new");
  write("build/x.html", "old");
  write("build/x.BAK", "older");
  build({"x.sd"});
  EXPECT_EQ(read("build/x.html"), "new");
  EXPECT_EQ(read("build/x.BAK"), "old");
}

TEST_F(PageBuildTest, PageInASubFolderGetsItsFolderCreated) {
  source("sub/page.sd", "p");
  EXPECT_EQ(build({"sub\\page.sd"}), saved("sub/page.html"));
  EXPECT_EQ(read("build/sub/page.html"), "p");
}

TEST_F(PageBuildTest, LineEndsAreWrittenAsCarriageReturnLineFeed) {
  source("crlf.sd", "l1\r\nl2\r\nx\ry");
  build({"crlf.sd"});
  EXPECT_EQ(read("build/crlf.html"), "l1\r\nl2\r\nxy");
}

TEST_F(PageBuildTest, SaveAs) {
  ::testing::internal::CaptureStdout();
  saveas(win("build/about"), "a");
  saveas(win("build/deep/er/page.sd"), "b");
  saveas("bare.sd", "c");  // no folder to create: nothing happens
  std::fflush(stdout);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            saved("about.html") + saved("deep/er/page.html"));
  EXPECT_EQ(read("build/about.html"), "a");
  EXPECT_EQ(read("build/deep/er/page.html"), "b");
  EXPECT_FALSE(exists("build/bare.html"));
}

TEST_F(PageBuildTest, ReadOnlyOutputEndsTheRunAfterTheSavedMessage) {
  facts().output.clear();
  facts().output.append(Output{".htm"});
  source("ro.sd", "x");
  write("build/ro.htm", "old");
  std::filesystem::permissions(host("build/ro.htm"),
                               std::filesystem::perms::owner_write |
                                   std::filesystem::perms::group_write |
                                   std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  ::testing::internal::CaptureStdout();
  int code = 0;
  try {
    processfiles2({"ro.sd", "never.sd"});
  } catch (const RuntimeError& e) {
    code = e.code();
  }
  std::fflush(stdout);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), saved("ro.htm"));
  EXPECT_EQ(code, 7005);
  EXPECT_EQ(read("build/ro.htm"), "old");
}

}  // namespace
}  // namespace qs
