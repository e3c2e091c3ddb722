#include "files/unlisted.h"

#include <gtest/gtest.h>

#include "files/testtree.h"
#include "foundation/factstore.h"

namespace qs {
namespace {

using testing::TempTree;

struct StampCase {
  std::vector<int> target, source;  // Day, Month, Year, Hour, Minute, Second
  bool newer;
};

TEST(ComesAfter, SourceAtOrAfterTargetFieldByField) {
  const StampCase cases[] = {
      {{1, 1, 2024, 0, 0, 0}, {1, 1, 2024, 0, 0, 0}, true},       // same second
      {{1, 1, 2024, 0, 0, 1}, {1, 1, 2024, 0, 0, 0}, false},      // output one second newer
      {{31, 12, 2023, 23, 59, 59}, {1, 1, 2024, 0, 0, 0}, true},  // later year wins
      {{1, 1, 2025, 0, 0, 0}, {31, 12, 2024, 23, 59, 59}, false},
      {{30, 5, 2024, 10, 0, 0}, {1, 6, 2024, 9, 0, 0}, true},      // month before day
      {{2, 6, 2024, 9, 0, 0}, {1, 6, 2024, 23, 0, 0}, false},      // day before hour
      {{1, 6, 2024, 9, 59, 0}, {1, 6, 2024, 10, 0, 0}, true},      // hour before minute
      {{1, 6, 2024, 10, 1, 0}, {1, 6, 2024, 10, 0, 59}, false},    // minute before second
      {{1, 6, 2024, 10, 0, 0}, {1, 6, 2024, 10, 0}, false},        // five values
      {{1, 6, 2024, 10, 0, 0, 0}, {1, 6, 2024, 10, 0, 0}, false},  // seven values
  };
  for (const StampCase& c : cases)
    EXPECT_EQ(comes_after(c.target, c.source), c.newer)
        << ::testing::PrintToString(c.target) << " vs " << ::testing::PrintToString(c.source);
}

TEST(OneTrue, ComparesAsSignedIntegers) {
  EXPECT_TRUE(onetrue(2024, 1, 1, 0, 0, 0, -1, 12, 31, 23, 59, 59));
  EXPECT_FALSE(onetrue(-5, 1, 1, 0, 0, 0, 2024, 1, 1, 0, 0, 0));
}

TEST(ShouldNotBeSeenEarlier, AnyListedNameInsideThePath) {
  Slist listed = {"mysite\\index.sd", "mysite\\about.sd"};
  EXPECT_TRUE(shouldnotbeseenearlier(listed, "C:\\qs\\projs\\mysite\\index.sd"));
  EXPECT_TRUE(shouldnotbeseenearlier(listed, "C:\\qs\\projs\\mysite\\index.sd.old"));
  EXPECT_TRUE(shouldnotbeseenearlier(listed, "C:\\qs\\projs\\mysite\\about.sd"));
  EXPECT_FALSE(shouldnotbeseenearlier(listed, "C:\\qs\\projs\\mysite\\old\\index.sd"));
  EXPECT_FALSE(shouldnotbeseenearlier(listed, "C:\\qs\\projs\\MYSITE\\index.sd"));
  EXPECT_TRUE(shouldnotbeseenearlier({"index.sd"}, "C:\\p\\blog\\oldindex.sd"));
  EXPECT_FALSE(shouldnotbeseenearlier({}, "C:\\p\\a.sd"));
}

TEST(IsNonProcessible, TheFifteenMediaExtensions) {
  for (const char* e : {".JS", ".CSS", ".JPG", ".JPEG", ".PNG", ".SVG", ".GIF", ".MP4", ".MOV",
                        ".MP3", ".OGG", ".WEBM", ".WEBP", ".AVI", ".OGV"})
    EXPECT_TRUE(isnonprocessible(e)) << e;
  for (const char* e : {".css", ".SD", ".MD", ".HTML", "", ".PNGX"})
    EXPECT_FALSE(isnonprocessible(e)) << e;
}

// The fragment and build roots lie below a folder whose own path holds the
// setting texts "projs\" and "build\"; targets are formed from the build
// root and the path below the fragment root only.
class WalkUnknowns : public ::testing::Test {
 protected:
  void SetUp() override {
    FactStore& f = facts();
    f.fragmentfolder.append({"projs\\"});
    f.buildfolder.append({t.win("projs/build/qs/build/")});
    f.output.append({".html"});
    t.write("projs/build/qs/projs/mysite/index.sd", "i");
    t.write("projs/build/qs/projs/mysite/about.sd", "a");
    t.write("projs/build/qs/projs/mysite/style.CSS", "c");
    t.write("projs/build/qs/projs/mysite/intro.old.sd", "o");
    t.write("projs/build/qs/projs/mysite/img/logo.png", "p");
    t.write("projs/build/qs/projs/mysite/blog/draft.sd", "d");
    t.write("projs/build/qs/projs/mysite/blog/fresh.sd", "f");
    t.write("projs/build/qs/projs/mysite/blog/same.sd", "s");
    t.write("projs/build/qs/projs/mysite/notes.md", "n");
    t.write("projs/build/qs/projs/mysite/notes.sd", "n");
    t.write("projs/build/qs/projs/mysite/folder.sd", "x");
    // Outputs: fresh.html newer than its source, same.html written in the
    // same second, folder.html a folder.
    t.touch("projs/build/qs/projs/mysite/blog/fresh.sd", -10);
    t.write("projs/build/qs/build/mysite/blog/fresh.html", "out");
    t.write("projs/build/qs/build/mysite/blog/same.html", "out");
    t.touch("projs/build/qs/projs/mysite/blog/same.sd", 0);
    t.touch("projs/build/qs/build/mysite/blog/same.html", 0);
    t.mkdir("projs/build/qs/build/mysite/folder.html");
  }
  TempTree t;
  std::string fragmentroot = t.win("projs/build/qs/projs/");
  std::string buildroot = t.win("projs/build/qs/build/");
};

TEST_F(WalkUnknowns, RecordsUnlistedFilesWithMissingOrOlderOutput) {
  // same.sd and same.html may straddle a second boundary; pin them equal.
  auto stamp = std::filesystem::last_write_time(t.host("projs/build/qs/projs/mysite/blog/same.sd"));
  std::filesystem::last_write_time(t.host("projs/build/qs/build/mysite/blog/same.html"), stamp);
  ::testing::internal::CaptureStdout();
  walkunknowns({"mysite\\index.sd"}, fragmentroot, fragmentroot + "mysite\\");
  std::string expected;
  Slist un;
  for (const char* rel : {"mysite\\about.sd", "mysite\\intro.old.sd", "mysite\\notes.md",
                          "mysite\\notes.sd", "mysite\\blog\\draft.sd", "mysite\\blog\\same.sd"}) {
    std::string target = buildroot + rel;
    target = target.substr(0, target.rfind('.'));
    if (target.ends_with(".old")) target.resize(target.size() - 4);
    expected += "Unlisted: " + target + ".html \n";
    un.push_back(rel);
  }
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), expected);
  EXPECT_EQ(Slist(facts().un.begin(), facts().un.end()), un);
}

TEST_F(WalkUnknowns, MissingFolderIsSkippedAndQuietPrintsNothing) {
  facts().quiet.append({});
  ::testing::internal::CaptureStdout();
  walkunknowns({}, fragmentroot, fragmentroot + "nosuch\\");
  walkunknowns({}, fragmentroot, fragmentroot + "mysite\\img\\");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");  // no frame: error() prints nothing
  EXPECT_TRUE(facts().un.empty());
}

TEST(CheckIfNewer, MissingTargetCountsAsOlder) {
  TempTree t;
  EXPECT_TRUE(checkifnewer(t.win("none.html"), 1, 1, 1990, 0, 0, 0));
  t.write("page.html", "x");
  EXPECT_FALSE(checkifnewer(t.win("page.html"), 1, 1, 1990, 0, 0, 0));
  EXPECT_TRUE(checkifnewer(t.win("page.html"), 1, 1, 9000, 0, 0, 0));
}

}  // namespace
}  // namespace qs
