#include "files/folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files/testtree.h"
#include "foundation/error.h"
#include "foundation/factstore.h"

namespace qs {
namespace {

using TempFolder = testing::TempTree;

std::vector<std::string> pending() {
  return std::vector<std::string>(facts().tomake.begin(), facts().tomake.end());
}

// Every folder from the first one below the drive root down to folder.
std::vector<std::string> ancestors(const std::string& folder) {
  std::vector<std::string> r;
  for (size_t i = folder.find('\\', 3); i != std::string::npos; i = folder.find('\\', i + 1))
    r.push_back(folder.substr(0, i + 1));
  return r;
}

// Runs the test body in another working folder and goes back afterwards.
class InFolder {
 public:
  explicit InFolder(const std::filesystem::path& p) : old_(std::filesystem::current_path()) {
    std::filesystem::current_path(p);
  }
  ~InFolder() { std::filesystem::current_path(old_); }

 private:
  std::filesystem::path old_;
};

TEST(ChkMkDir, DriveRootSucceedsAtOnce) {
  TempFolder t;
  EXPECT_TRUE(chkmkdir("C:\\"));
  EXPECT_TRUE(pending().empty());
}

TEST(ChkMkDir, ExistingFolderQueuesItsChain) {
  TempFolder t;
  t.mkdir("site");
  EXPECT_TRUE(chkmkdir(t.win("site\\")));
  // Queued child first, so the front holds the top-most folder.
  EXPECT_EQ(pending(), ancestors(t.win("site\\")));
  // The next successful creation retries them and empties the list.
  EXPECT_TRUE(chkmkdir(t.win("site\\new\\")));
  EXPECT_TRUE(pending().empty());
  EXPECT_TRUE(t.exists("site/new"));
}

TEST(ChkMkDir, WalksUpAndCreatesParentBeforeChild) {
  TempFolder t;
  t.mkdir("site");
  EXPECT_TRUE(chkmkdir(t.win("site\\a\\b\\c\\")));
  EXPECT_TRUE(t.exists("site/a/b/c"));
  EXPECT_TRUE(pending().empty());
}

TEST(ChkMkDir, PendingEntriesAreCreatedByTheNextSuccess) {
  TempFolder t;
  facts().tomake.pushfront(t.win("later\\"));
  EXPECT_TRUE(chkmkdir(t.win("now\\")));
  EXPECT_TRUE(t.exists("later"));
  EXPECT_TRUE(pending().empty());
}

TEST(ChkMkDir, WithoutFinalSeparator) {
  TempFolder t;
  EXPECT_TRUE(chkmkdir(t.win("direct")));
  EXPECT_TRUE(t.exists("direct"));
  EXPECT_FALSE(chkmkdir(t.win("m1\\m2")));
  EXPECT_FALSE(t.exists("m1"));
  EXPECT_EQ(pending(), (std::vector<std::string>{t.win("m1\\m2")}));
}

// A folder setting without a drive letter used to climb to "" and fail for
// a folder that is there, so the page writer skipped the page.
TEST(ChkMkDir, ExistingFolderWithoutDriveLetter) {
  TempFolder t;
  t.mkdir("sites/build");
  // In the tree, so that a path without a drive letter lies on its drive.
  InFolder in(t.host(""));
  std::string nodrive = t.win("sites\\build\\").substr(2);
  ASSERT_EQ(nodrive.front(), '\\');
  EXPECT_TRUE(chkmkdir(nodrive));
  EXPECT_TRUE(mkalldirs(nodrive + "index.html"));
  EXPECT_TRUE(chkmkdir(nodrive + "sub\\"));
  EXPECT_TRUE(t.exists("sites/build/sub"));

  EXPECT_TRUE(chkmkdir("sites\\build\\"));
  EXPECT_TRUE(mkalldirs("sites\\build\\page.html"));
  EXPECT_TRUE(chkmkdir("sites\\new\\deep\\"));
  EXPECT_TRUE(t.exists("sites/new/deep"));
  EXPECT_FALSE(mkalldirs("index.html"));
}

TEST(CreateFolderIfMissing, OnlyUnderTheCreateSetting) {
  TempFolder t;
  createfolderifmissing(t.win("p\\"));
  EXPECT_FALSE(t.exists("p"));
  facts().create.append(Create{});
  createfolderifmissing(t.win("p\\q\\"));
  EXPECT_TRUE(t.exists("p/q"));
  createfolderifmissing(t.win("p\\q\\"));
}

// The executable's folder itself holds "projs\", which must not be mapped.
TEST(CreateBuildFolders, MirrorsTheTreeUnderTheBuildRoot) {
  TempFolder t;
  t.mkdir("projs/app/projs/site/a/b");
  t.mkdir("projs/app/projs/site/c");
  t.write("projs/app/projs/site/file.sd", "");
  std::string from = t.win("projs\\app\\projs\\"), to = t.win("projs\\app\\build\\");
  createbuildfolders(from + "site\\", from, to);
  EXPECT_TRUE(t.exists("projs/app/build/site/a/b"));
  EXPECT_TRUE(t.exists("projs/app/build/site/c"));
  EXPECT_FALSE(t.exists("projs/app/build/site/file.sd"));
  EXPECT_FALSE(t.exists("build"));
}

TEST(CreateBuildFolders, SkipsPathsOutsideTheRootAndRaisesForAMissingSource) {
  TempFolder t;
  t.mkdir("src/a");
  createbuildfolders(t.win("src\\"), t.win("other\\"), t.win("build\\"));
  EXPECT_FALSE(t.exists("build"));
  try {
    createbuildfolders(t.win("none\\"), t.win(""), t.win("build\\"));
    ADD_FAILURE() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.code(), 7003);
  }
}

}  // namespace
}  // namespace qs
