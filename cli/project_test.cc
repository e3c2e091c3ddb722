#include "cli/project.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "cli/settings.h"
#include "files/testtree.h"
#include "foundation/error.h"
#include "foundation/factstore.h"

namespace qs {
namespace {

using qs::testing::TempTree;

class Project : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = std::filesystem::current_path();
    std::filesystem::current_path(t.host(""));
  }
  void TearDown() override { std::filesystem::current_path(saved_); }

  TempTree t;  // resets the fact store
  std::filesystem::path saved_;
};

std::vector<std::string> pages() {
  std::vector<std::string> p;
  for (const File& f : facts().file) p.push_back(f.page);
  return p;
}

TEST_F(Project, RecordsSpreadOverLinesWithCrLfLoad) {
  t.write("site.txt", "root(\"mysite\"),\r\nfile(\"mysite\\\\index.sd\")\r\n");
  EXPECT_TRUE(fetchorpullinproj("site.txt"));
  EXPECT_EQ(currproj(), t.win("site.txt"));
  ASSERT_TRUE(facts().root.exists());
  EXPECT_EQ(facts().root.first()->folder, "mysite");
  EXPECT_EQ(pages(), std::vector<std::string>{"mysite\\index.sd"});
}

TEST_F(Project, TextsJoinAcrossLinesAndEscapesGiveLineBreaks) {
  EXPECT_TRUE(parseprojectstring("notes(\"first\nsecond\\nthird\"),\ng(\"a\",\"1\")"));
  EXPECT_EQ(facts().notes.first()->text, "firstsecond\nthird");
  EXPECT_EQ(facts().g.first()->value, "1");
}

TEST_F(Project, AnEmptyFileIsAProjectWithoutRecords) {
  EXPECT_TRUE(parseprojectstring(""));
  EXPECT_TRUE(parseprojectstring("\n\n"));
  EXPECT_FALSE(facts().root.exists());
}

TEST_F(Project, AnUnreadableProjectStoresNothing) {
  const char* cases[] = {
      "root(\"a\"),file(\"x.sd\"),",           // comma after the last record
      "root(\"a\"),\n\tfile(\"x.sd\")",        // a tab for indentation
      "root(\"a\"),file(\"x.sd)",              // unterminated text
      "root(\"a\"),page(\"x.sd\")",            // no such record
      "root(\"a\"),clone(\"0\",\"c.sd\",[])",  // wrong field type
      "root(\"a\") file(\"x.sd\")",            // no comma
      "root (\"a\")",                          // blank before the parenthesis
  };
  for (const char* c : cases) {
    resetfacts();
    EXPECT_FALSE(parseprojectstring(c)) << c;
    EXPECT_FALSE(facts().root.exists()) << c;
    EXPECT_TRUE(facts().file.empty()) << c;
  }
}

TEST_F(Project, IntegerFieldsTakeSignsAndOtherBases) {
  EXPECT_TRUE(
      parseprojectstring("tags(-1,\"a\"),tags(0x10,\"b\"),clone(0o7,\"c.sd\",[g(\"k\",\"v\")])"));
  EXPECT_EQ(facts().tags.first()->index, -1);
  EXPECT_EQ((++facts().tags.begin())->index, 16);
  EXPECT_EQ(facts().clone.first()->index, 7);
  EXPECT_EQ(facts().clone.first()->bindings.at(0).value, "v");
}

TEST_F(Project, ASecondRootRaisesAfterTheRecordsBeforeIt) {
  try {
    parseprojectstring("root(\"a\"),file(\"x.sd\"),root(\"b\"),file(\"y.sd\")");
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.code(), err::kSecondRecord);
  }
  EXPECT_EQ(facts().root.first()->folder, "a");
  EXPECT_EQ(pages(), std::vector<std::string>{"x.sd"});
  EXPECT_THROW(parseprojectstring("notes(\"1\"),notes(\"2\")"), RuntimeError);
}

TEST_F(Project, ProjectHandlersFollowTheCompiledInOnes) {
  insertdefaults();
  EXPECT_TRUE(parseprojectstring("handler(\".md\",\"mine %s %s\"),handler(\".rst\",\"r %s %s\")"));
  std::vector<std::string> order;
  for (const Handler& h : facts().handler) order.push_back(h.extension);
  EXPECT_EQ(order, (std::vector<std::string>{".md", ".crl", ".md", ".rst"}));
  EXPECT_EQ(facts().handler.first()->command,
            "%spandoc\\pandoc.exe -f markdown_strict-smart+raw_html -t html %s -o %s");
}

TEST_F(Project, AMissingFileLeavesCurrprojAlone) {
  facts().currproj.set("before");
  EXPECT_FALSE(fetchorpullinproj("missing.txt"));
  EXPECT_FALSE(fetchorpullinproj(""));  // the working folder itself is no project
  EXPECT_EQ(currproj(), "before");
}

TEST_F(Project, AFoundButUnreadableFileKeepsItsPath) {
  t.write("bad.txt", "root(\"a\"),");
  EXPECT_FALSE(fetchorpullinproj("bad.txt"));
  EXPECT_EQ(currproj(), t.win("bad.txt"));
}

TEST_F(Project, AnAbsoluteNameStandsForItself) {
  t.write("sub/p.txt", "root(\"a\")");
  EXPECT_TRUE(fetchorpullinproj(t.win("sub/p.txt")));
  EXPECT_EQ(currproj(), t.win("sub/p.txt"));
}

TEST_F(Project, PullinprojDropsQuotes) {
  t.write("q.txt", "root(\"a\")");
  EXPECT_TRUE(pullinproj("\"" + t.win("q.txt") + "\""));
  EXPECT_TRUE(facts().root.exists());
}

TEST_F(Project, ARemoteProjectFailsQuietlyWithoutTheClient) {
  facts().quiet.append({});
  ::testing::internal::CaptureStdout();
  EXPECT_FALSE(fetchorpullinproj("https://example.invalid/p.txt"));
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_TRUE(facts().quiet.exists());  // quiet goes only after a load
}

TEST_F(Project, CheckrootCompletesTheRoot) {
  ::testing::internal::CaptureStdout();
  EXPECT_FALSE(checkroot());
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "Root folder of the project was not specified in the project file!\n");
  facts().root.append({"mysite"});
  EXPECT_TRUE(checkroot());
  EXPECT_EQ(facts().root.first()->folder, "mysite\\");
  EXPECT_TRUE(checkroot());
  EXPECT_EQ(facts().root.first()->folder, "mysite\\");
}

TEST_F(Project, TheRootMessageIgnoresQuiet) {
  facts().quiet.append({});
  ::testing::internal::CaptureStdout();
  EXPECT_FALSE(checkroot());
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "Root folder of the project was not specified in the project file!\n");
}

TEST_F(Project, RemovequietSucceedsEitherWay) {
  removequiet();
  facts().quiet.append({});
  removequiet();
  EXPECT_FALSE(facts().quiet.exists());
}

}  // namespace
}  // namespace qs
