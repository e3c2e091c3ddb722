#include "files/sources.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "files/paths.h"
#include "files/testtree.h"
#include "foundation/factstore.h"

namespace qs {
namespace {

using qs::testing::TempTree;

constexpr const char* kNoSource =
    "Either the file does not exist or I could not find the handler for:\n";

/// A tree with a working folder "work" (made current for the test), the
/// project root "site\" and settings pointing into the tree.
class Sources : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = std::filesystem::current_path();
    t.mkdir("work");
    std::filesystem::current_path(t.host("work"));
    FactStore& f = facts();
    f.fragmentfolder.append({t.win("projs/")});
    f.buildfolder.append({t.win("build/")});
    f.root.append({"site\\"});
  }
  void TearDown() override { std::filesystem::current_path(saved_); }

  void relativesettings() {
    FactStore& f = facts();
    f.fragmentfolder.clear();
    f.buildfolder.clear();
    f.fragmentfolder.append({"projs\\"});
    f.buildfolder.append({"build\\"});
  }

  TempTree t;
  std::filesystem::path saved_;
};

TEST_F(Sources, GetfoldernmPicksTheFragmentFolderOnlyForModeOne) {
  EXPECT_EQ(getfoldernm(1), t.win("projs/"));
  EXPECT_EQ(getfoldernm(2), t.win("build/"));
  EXPECT_EQ(getfoldernm(5), t.win("build/"));
  facts().fragmentfolder.clear();
  EXPECT_EQ(getfoldernm(1), t.win("build/"));
}

TEST_F(Sources, VerifyfileModeTwoKeepsAbsolutePathsAndPlacesTheRestBesideTheExecutable) {
  struct Case {
    int mode;
    std::string path, full;
  };
  const std::string exe = exefolder();
  const Case cases[] = {
      {2, "C:\\sites\\x\\", "C:\\sites\\x\\"},
      {2, "https://h/a.sd", "https://h/a.sd"},  // holds ":"
      {2, "build\\a:b", "build\\a:b"},          // ":" anywhere
      {2, "\\sites\\build\\", "\\sites\\build\\"},
      {2, "build\\mysite\\", exe + "build\\mysite\\"},
      {1, "https://h/a.sd", "https://h/a.sd"},
      {1, "nowhere.sd", exe + "nowhere.sd"},
      {3, "C:\\abs.sd", exe + "C:\\abs.sd"},  // other modes always prefix
  };
  for (const Case& c : cases) EXPECT_EQ(verifyfile(c.mode, c.path), c.full) << c.path;
}

TEST_F(Sources, VerifyfileModeOneKeepsAnExistingRelativeName) {
  t.write("work/here.sd", "x");
  EXPECT_EQ(verifyfile(1, "here.sd"), "here.sd");
}

TEST_F(Sources, GetproperfnLooksAsWrittenThenInTheWorkingFragmentFolderThenBesideTheExecutable) {
  relativesettings();
  t.write("work/both.sd", "work");
  t.write("work/projs/both.sd", "fragment");
  t.write("work/projs/frag.sd", "fragment");
  EXPECT_EQ(getproperfn(1, "both.sd"), "both.sd");
  EXPECT_EQ(getproperfn(1, "frag.sd"), "projs\\frag.sd");
  EXPECT_EQ(getproperfn(1, "missing.sd"), exefolder() + "projs\\missing.sd");
  EXPECT_EQ(getproperfn(1, "https://h/p?file=a.sd"), "https://h/p?file=a.sd");
  // An absolute name that exists stands for itself.
  t.write("elsewhere/abs.sd", "x");
  EXPECT_EQ(getproperfn(1, t.win("elsewhere/abs.sd")), t.win("elsewhere/abs.sd"));
}

TEST_F(Sources, GetproperfnModeTwoAlwaysTakesTheBuildFolder) {
  t.write("work/site/page.sd", "exists as written, but mode 2 ignores that");
  EXPECT_EQ(getproperfn(2, "site\\page.sd"), t.win("build/") + "site\\page.sd");
  relativesettings();
  EXPECT_EQ(getproperfn(2, "site\\"), exefolder() + "build\\site\\");
}

TEST_F(Sources, GetproperfnorurlTakesTheFileFieldOfARemoteName) {
  EXPECT_EQ(getproperfnorurl("https://h/x?file=blog\\post.sd&v=2"),
            t.win("build/") + "blog\\post.sd");
  // Without a field the whole remote name follows the build folder.
  EXPECT_EQ(getproperfnorurl("https://h/x"), t.win("build/") + "https://h/x");
  EXPECT_EQ(getproperfnorurl("site\\index.sd"), t.win("build/") + "site\\index.sd");
}

TEST_F(Sources, GetfromprojectfolderLooksInTheParentOfTheSourceFolder) {
  t.write("projs/shared.sd", "shared");
  t.write("projs/site/own.sd", "own");
  EXPECT_EQ(getfromprojectfolder("shared.sd"), t.win("projs/shared.sd"));
  EXPECT_EQ(getfromprojectfolder("own.sd"), std::nullopt);
  facts().root.clear();
  facts().root.append({"site"});  // no final "\": no project folder
  EXPECT_EQ(getfromprojectfolder("shared.sd"), std::nullopt);
}

TEST_F(Sources, ReadingTriesThePathThenTheProjectFolderThenThePathWithoutBang) {
  t.write("projs/site/page.sd", "direct");
  t.write("projs/lost.sd", "from project folder");
  t.write("projs/site/plain.sd", "without bang");
  t.write("projs/site/Mixed.Sd", "mixed case");
  EXPECT_EQ(getfile_str(t.win("projs/site/page.sd")), "direct");
  EXPECT_EQ(getfile_str(t.win("projs/site/sub/lost.sd")), "from project folder");
  EXPECT_EQ(getfile_str(t.win("projs/site/pl!ain.sd")), "without bang");
  EXPECT_EQ(getfile_str(t.win("projs/site/Mixed.Sd")), "mixed case");
}

TEST_F(Sources, ALeadingBangSkipsTheDirectRead) {
  t.write("work/!b.sd", "with bang");
  t.write("work/b.sd", "without bang");
  EXPECT_EQ(getfile_str("!b.sd"), "without bang");
}

TEST_F(Sources, NothingReadableEndsWithTheMessage) {
  std::string path = t.win("projs/site/none.sd");
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(getfile_str(path), std::nullopt);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), kNoSource + path + "\n\n");

  // The handler lookup compares the extension exactly.
  facts().handler.append({".md", "nosuchconverter %s %s"});
  t.write("projs/site/notes.MD", "# x");
  path = t.win("projs/site/notes.MD");
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(getfile_str(path), std::nullopt);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), kNoSource + path + "\n\n");
}

TEST_F(Sources, AConvertedSourceIsReadFromTheSdFileBesideIt) {
  // The converter cannot start (exit code 0, nothing written), so the ".sd"
  // left beside the source is what the conversion yields.
  facts().handler.append({".md", "nosuchconverter %s -o %s"});
  t.write("projs/site/about.md", "# About");
  t.write("projs/site/about.sd", "<h1>About</h1>");
  std::string source = t.win("projs/site/about.md");
  std::string output = t.win("projs/site/about.sd");
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(getfile_str(source), "<h1>About</h1>");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "nosuchconverter " + source + " -o " + output + "\n");
}

TEST_F(Sources, AConversionReplacesOnlyTheSourcesOwnExtension) {
  facts().handler.append({".md", "nosuchconverter %s %s"});
  t.write("projs/site/notes.v2.md", "# v2");
  t.write("projs/site/notes.sd", "the page source of notes");
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(getfile_str(t.win("projs/site/notes.v2.md")), std::nullopt);
  std::string out = ::testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find(t.win("projs/site/notes.v2.sd")), std::string::npos) << out;
  EXPECT_EQ(t.read("projs/site/notes.sd"), "the page source of notes");
}

TEST_F(Sources, ACloneReadsItsSourcePageAndOnlyThat) {
  t.write("projs/site/orig.sd", "original");
  t.write("projs/site/copy.sd", "the clone's own file");
  facts().isclonedfrom.set({"site\\copy.sd", "site\\orig.sd"});
  EXPECT_EQ(getfile_str("site\\copy.sd", t.win("projs/site/copy.sd")), "original");
  EXPECT_EQ(getfile_str("site\\other.sd", t.win("projs/site/copy.sd")), "the clone's own file");

  facts().isclonedfrom.set({"site\\copy.sd", "site\\gone.sd"});
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(getfile_str("site\\copy.sd", t.win("projs/site/copy.sd")), std::nullopt);
  ::testing::internal::GetCapturedStdout();
}

}  // namespace
}  // namespace qs
