#include "engine/clones.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/pagetest.h"
#include "foundation/factstore.h"
#include "variables/globals.h"

namespace qs {
namespace {

std::vector<Global> globals() {
  return {glob().begin(), glob().end()};
}

class ClonesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetfacts();
    facts().g.append(Global{"title", "Home"});
    facts().g.append(Global{"colour", "red"});
  }
};

TEST_F(ClonesTest, ClonesBindingsStandFirstInReverseOrder) {
  prependglob({{"title", "Away"}, {"x", "1"}, {"title", "Later"}});
  EXPECT_EQ(globals(), (std::vector<Global>{{"title", "Later"},
                                            {"x", "1"},
                                            {"title", "Away"},
                                            {"title", "Home"},
                                            {"colour", "red"}}));
  EXPECT_EQ(facts().tmpg.size(), 3u);
  removeassertedglob();
  EXPECT_EQ(globals(), (std::vector<Global>{{"title", "Home"}, {"colour", "red"}}));
  EXPECT_TRUE(facts().tmpg.empty());
}

TEST_F(ClonesTest, ProjectGlobalEqualToACloneBindingSurvives) {
  prependglob({{"colour", "red"}, {"title", "Home"}});
  removeassertedglob();
  EXPECT_EQ(globals(), (std::vector<Global>{{"title", "Home"}, {"colour", "red"}}));
  removeassertedglob();  // nothing left to remove
  EXPECT_EQ(globals().size(), 2u);
}

TEST_F(ClonesTest, PagesWithoutClonesBuildNothingAndResetTheCloneRecord) {
  facts().clone.append(Clone{5, "site\\never.sd", {{"title", "x"}}});
  facts().clone.append(Clone{-1, "site\\never2.sd", {{"title", "y"}}});
  facts().isclonedfrom.set(ClonedFrom{"a", "b"});
  processclones(0, {"site\\index.sd", "site\\news.sd"});
  EXPECT_EQ(facts().isclonedfrom.get().clone, "");
  EXPECT_EQ(facts().isclonedfrom.get().page, "");
  EXPECT_EQ(globals().size(), 2u);
  EXPECT_TRUE(facts().accumulator.get().empty());  // no page was started
}

// Clones built for real: pages and clones below projs\site\, written to
// build\site\.
class CloneBuildTest : public enginetest::EngineTest {
 protected:
  void page(const std::string& name, std::string_view text) {
    source("site/" + name, text);
    facts().file.append(File{"site\\" + name});
    pages.push_back("site\\" + name);
  }
  void clone(int32_t index, const std::string& name, BindingList bindings) {
    facts().clone.append(Clone{index, "site\\" + name, std::move(bindings)});
  }
  // Builds the pages, then the clones, as a build run does; gives what the
  // clone phase printed.
  std::string buildall() {
    build(pages);
    ::testing::internal::CaptureStdout();
    processclones(0, pages);
    std::fflush(stdout);
    return ::testing::internal::GetCapturedStdout();
  }
  std::string saved(std::string_view rel) const {
    return "Saved: " + win("build/site/" + std::string(rel)) + "\n";
  }
  std::string out(std::string_view rel) const { return read("build/site/" + std::string(rel)); }
  Slist pages;
};

TEST_F(CloneBuildTest, CloneUsesItsSourcePagesTextWithItsOwnBindings) {
  page("index.sd", "home [[v(\"title\")]]");
  page("news.sd", "news [[v(\"title\")]]");
  clone(1, "news2.sd", {{"title", "Old news"}});
  EXPECT_EQ(buildall(), saved("news2.html"));
  EXPECT_EQ(out("news2.html"), "news Old news");
  EXPECT_EQ(facts().isclonedfrom.get().clone, "");
  EXPECT_TRUE(facts().g.empty());
  EXPECT_TRUE(facts().tmpg.empty());
}

TEST_F(CloneBuildTest, FramesBeforeGlobalsAndEachCloneOnItsOwn) {
  page("index.sd", "[[v(\"title\")]]/[[v(\"x\")]]");
  page("news.sd", "[[p(\"title\",\"Mine\")]][[v(\"title\")]]");
  facts().g.append(Global{"title", "Home"});
  clone(0, "a.sd", {{"title", "Away"}, {"x", "1"}});
  clone(1, "n2.sd", {{"title", "Lost"}});
  clone(0, "b.sd", {{"title", "First"}, {"title", "Second"}});
  clone(0, "c.sd", {});
  EXPECT_EQ(buildall(), saved("a.html") + saved("b.html") + saved("c.html") + saved("n2.html"));
  EXPECT_EQ(out("index.html"), "Home/x");
  EXPECT_EQ(out("a.html"), "Away/1");
  EXPECT_EQ(out("b.html"), "Second/x");
  EXPECT_EQ(out("c.html"), "Home/x");
  EXPECT_EQ(out("n2.html"), "Mine");
  EXPECT_EQ(globals(), (std::vector<Global>{{"title", "Home"}}));
}

TEST_F(CloneBuildTest, CloneOverAListedPageKeepsThePageAsBackup) {
  page("index.sd", "[[v(\"who\")]]");
  facts().g.append(Global{"who", "page"});
  clone(0, "index.sd", {{"who", "clone"}});
  buildall();
  EXPECT_EQ(out("index.html"), "clone");
  EXPECT_EQ(out("index.BAK"), "page");
}

TEST_F(CloneBuildTest, UnreadableSourceReportsTheCloneAndGoesOn) {
  page("index.sd", "[[v(\"t\")]]");
  facts().file.append(File{"site\\gone.sd"});
  pages.push_back("site\\gone.sd");
  clone(1, "lost.sd", {{"t", "L"}});
  clone(0, "kept.sd", {{"t", "K"}});
  std::string printed = buildall();
  EXPECT_NE(printed.find("Could not process: site\\lost.sd\n"), std::string::npos) << printed;
  EXPECT_EQ(out("kept.html"), "K");
  EXPECT_FALSE(exists("build/site/lost.html"));
  EXPECT_TRUE(facts().g.empty());
}

TEST_F(CloneBuildTest, ClonesSeeTheirOwnBindingsInListsAndTags) {
  page("index.sd", "[[v(\"~t<%,>\")]]|[[v(\"~0<%>\")]]|[[v(\"@ALL\")]]");
  facts().g.append(Global{"t", "p"});
  clone(0, "one.sd", {{"t", "c"}, {"tags", "x,"}});
  buildall();
  EXPECT_EQ(out("index.html"), "<p,>|<one>|[{\"link\":\"/one.html\",\"tags\":\"x,\"},\r\n]");
  EXPECT_EQ(out("one.html"), "<c,><p,>|<one>|[{\"link\":\"/one.html\",\"tags\":\"x,\"},\r\n]");
}

}  // namespace
}  // namespace qs
