#include "files/disk.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "files/testtree.h"
#include "foundation/error.h"
#include "platform/platform.h"

namespace qs {
namespace {

using TempFolder = testing::TempTree;

template <class F>
int errorof(F f) {
  try {
    f();
  } catch (const RuntimeError& e) {
    return e.code();
  }
  return 0;
}

std::vector<std::string> names(const std::vector<platform::Entry>& entries) {
  std::vector<std::string> r;
  for (const platform::Entry& e : entries) r.push_back(e.name);
  return r;
}

TEST(PatternMatches, ListingRules) {
  struct Case {
    const char *name, *pattern;
    bool match;
  } cases[] = {
      {"index.BAK", "*.bak", true},
      {"page.html", "*.htm", false},
      {"page.htm", "*.HTM", true},
      {"noext", "*", true},
      {"noext", "*.*", true},
      {"a.b", "*", true},
      {"README", "*.", true},
      {"x", "x.", true},
      {"x.y", "x", false},
      {"abc", "a?c", true},
      {"abc", "a?", false},
      {".", "*", true},
      {"..", "*", true},
      {"a.b.c", "*.c", true},
      {"aXbXc", "*X*X*", true},
      {"aXb", "*X*X*", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(patternmatches(c.name, c.pattern), c.match) << c.name << " ~ " << c.pattern;
}

TEST(Lookup, FallsBackToAnyLetterCase) {
  TempFolder t;
  t.write("Sub/Index.HTML", "hello\r\nworld\n");
  EXPECT_TRUE(fileexists(t.win("sub\\index.html")));
  EXPECT_TRUE(fileexists(t.win("SUB")));
  EXPECT_EQ(loadtext(t.win("SUB\\INDEX.html")), "hello\nworld\n");
  std::optional<platform::Entry> e = platform::stat(t.win("sub\\index.html"));
  ASSERT_TRUE(e);
  EXPECT_EQ(e->name, "Index.HTML");
  // A new entry keeps its name as written, inside the folder found.
  savetext(t.win("sub\\New.txt"), "x");
  EXPECT_TRUE(t.exists("Sub/New.txt"));
  EXPECT_FALSE(fileexists(t.win("sub\\missing.txt")));
  EXPECT_FALSE(fileexists(t.win("nofolder\\index.html")));
}

// Once a folder has been read for a letter-case match, what the program
// itself creates, renames and removes there must still be found by any
// letter case.
TEST(Lookup, AnyLetterCaseStaysCurrentAfterChanges) {
  TempFolder t;
  t.mkdir("Sub");
  EXPECT_FALSE(fileexists(t.win("sub\\page.html")));
  savetext(t.win("Sub\\Page.html"), "one");
  savetext(t.win("sub\\PAGE.HTML"), "two");
  // The old page moved to the backup, so the new one has the name as written.
  EXPECT_EQ(t.read("Sub/PAGE.BAK"), "one");
  EXPECT_EQ(t.read("Sub/PAGE.HTML"), "two");
  removefile(t.win("sub\\page.bak"));
  EXPECT_FALSE(fileexists(t.win("sub\\PAGE.BAK")));
}

#ifndef _WIN32
// The child is the host's touch, which only POSIX has.
TEST(Lookup, AnyLetterCaseSeesWhatAChildCreated) {
  TempFolder t;
  t.mkdir("Sub");
  EXPECT_FALSE(fileexists(t.win("sub\\made.txt")));
  EXPECT_EQ(platform::runchild("touch " + t.win("Sub\\Made.txt"), false), 0);
  EXPECT_TRUE(fileexists(t.win("sub\\made.TXT")));
}
#endif

TEST(ListFolder, OrderMasksAndAttributes) {
  TempFolder t;
  t.write("b", "12345");
  t.write("a", "");
  t.write("_x", "");
  t.write("C.txt", "");
  t.write("Dz", "");
  t.mkdir("dir");
  t.setreadonly("b");
  std::vector<platform::Entry> all = listfolder(t.win("*"), kMaskFolders | kMaskFiles);
  // By upper-cased name: "DIR" before "DZ" although "Dz" < "dir" in bytes.
  EXPECT_EQ(names(all),
            (std::vector<std::string>{".", "..", "a", "b", "C.txt", "dir", "Dz", "_x"}));
  EXPECT_EQ(all[0].attributes & 16u, 16u);
  EXPECT_EQ(all[2].attributes, 32u + 64);
  EXPECT_EQ(all[3].attributes, 1u + 32 + 64);
  EXPECT_EQ(all[3].size, 5u);
  EXPECT_EQ(all[5].attributes, 16u);
  EXPECT_EQ(names(listfolder(t.win("*"), kMaskFolders)),
            (std::vector<std::string>{".", "..", "dir"}));
  EXPECT_EQ(names(listfolder(t.win("*.*"), kMaskFiles)),
            (std::vector<std::string>{"a", "b", "C.txt", "Dz", "_x"}));
  EXPECT_EQ(names(listfolder(t.win("*.TXT"), kMaskFiles)), (std::vector<std::string>{"C.txt"}));
  EXPECT_EQ(names(listfolder(t.win("c.txt"), kMaskFiles)), (std::vector<std::string>{"C.txt"}));
  EXPECT_TRUE(listfolder(t.win("dir"), kMaskFiles).empty());
  EXPECT_TRUE(listfolder(t.win("*.none"), kMaskFiles).empty());
  EXPECT_TRUE(listfolder(t.win("nothere"), kMaskFiles).empty());
}

#ifndef _WIN32
// The POSIX layer: one drive, names that differ only in case, dot names.
TEST(PosixLayer, OnlyDriveCExists) {
  EXPECT_TRUE(fileexists("c:\\tmp"));
  EXPECT_FALSE(fileexists("D:\\tmp"));
  EXPECT_FALSE(fileexists("\\\\server\\share\\x"));
  EXPECT_EQ(errorof([] { listfolder("D:\\*", kMaskFolders); }), 7003);
  EXPECT_EQ(errorof([] { loadtext("\\\\server\\share\\x"); }), 7003);
  EXPECT_EQ(errorof([] { savetext("E:\\x.txt", "x"); }), 7003);
}

TEST(PosixLayer, CaseTwinsAndHiddenNames) {
  TempFolder t;
  t.write("a", "lower");
  t.write("A", "upper");
  t.write("Sub/x", "");
  t.write("SUB/y", "");
  t.write(".hid", "");
  std::vector<platform::Entry> all = listfolder(t.win("*"), kMaskFiles);
  EXPECT_EQ(names(all), (std::vector<std::string>{".hid", "A", "a"}));
  EXPECT_EQ(all[0].attributes, 2u + 32 + 64);
  // The exact name wins; without one, the first in listing order.
  EXPECT_EQ(loadtext(t.win("a")), "lower");
  EXPECT_TRUE(fileexists(t.win("sub\\y")));
  EXPECT_FALSE(fileexists(t.win("sub\\x")));
}
#endif

TEST(ListFolder, MissingFolderRaises7003) {
  TempFolder t;
  EXPECT_EQ(errorof([&] { listfolder(t.win("none\\*"), kMaskFiles); }), 7003);
  EXPECT_EQ(errorof([&] { listfolder(t.win("none\\x.txt"), kMaskFiles); }), 7003);
}

TEST(ListFolder, LocalLastWriteTime) {
  TempFolder t;
  t.write("f.txt", "x");
  std::time_t when = 1700000000;  // 2023-11-14, any zone
  std::filesystem::last_write_time(
      t.host("f.txt"),
      std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(when)));
  std::tm lt = *std::localtime(&when);  // the portable call; the test runs alone
  std::vector<platform::Entry> e = listfolder(t.win("*.txt"), kMaskFiles);
  ASSERT_EQ(e.size(), 1u);
  EXPECT_EQ(e[0].year, lt.tm_year + 1900);
  EXPECT_EQ(e[0].month, lt.tm_mon + 1);
  EXPECT_EQ(e[0].day, lt.tm_mday);
  EXPECT_EQ(e[0].hour, lt.tm_hour);
  EXPECT_EQ(e[0].minute, lt.tm_min);
  EXPECT_EQ(e[0].second, lt.tm_sec);
}

TEST(FileExists, LastStepIsAPattern) {
  TempFolder t;
  t.write("site/index.BAK", "");
  t.mkdir("site/sub");
  EXPECT_TRUE(fileexists(t.win("site\\*.bak")));
  EXPECT_TRUE(fileexists(t.win("site\\ind?x.*")));
  EXPECT_FALSE(fileexists(t.win("site\\*.htm")));
  EXPECT_TRUE(fileexists(t.win("site\\sub")));
  EXPECT_FALSE(fileexists(t.win("missing\\*.bak")));
  EXPECT_FALSE(fileexists(t.win("site\\index.BAK\\x")));
  // A name without a dot gets one before matching, so "README." finds it.
  t.write("site/README", "");
  EXPECT_TRUE(fileexists(t.win("site\\README.")));
  EXPECT_EQ(names(listfolder(t.win("site\\readme."), kMaskFiles)),
            std::vector<std::string>{"README"});
  EXPECT_FALSE(fileexists(t.win("site\\index.BAK.")));
}

TEST(SaveText, WritesCrLfAndKeepsOneBackup) {
  TempFolder t;
  std::string page = t.win("index.html");
  savetext(page, "one\ntwo\n");
  EXPECT_EQ(t.read("index.html"), "one\r\ntwo\r\n");
  EXPECT_FALSE(t.exists("index.BAK"));
  savetext(page, "second");
  EXPECT_EQ(t.read("index.BAK"), "one\r\ntwo\r\n");
  savetext(page, "third");
  EXPECT_EQ(t.read("index.BAK"), "second");
  EXPECT_EQ(t.read("index.html"), "third");
}

TEST(SaveText, ReadOnlyFileIsRefused) {
  TempFolder t;
  t.write("page.html", "kept");
  t.setreadonly("page.html");
  EXPECT_EQ(errorof([&] { savetext(t.win("page.html"), "new"); }), 7005);
  EXPECT_EQ(t.read("page.html"), "kept");
  EXPECT_FALSE(t.exists("page.BAK"));
  EXPECT_EQ(errorof([&] { removefile(t.win("page.html")); }), 7005);
  EXPECT_EQ(errorof([&] { filecopy(t.win("page.html"), t.win("page.html")); }), 7005);
  EXPECT_TRUE(t.exists("page.html"));
}

TEST(SaveText, ReadOnlyBackupIsLeftAndPageOverwritten) {
  TempFolder t;
  t.write("page.html", "old");
  t.write("page.BAK", "older");
  t.setreadonly("page.BAK");
  savetext(t.win("page.html"), "new");
  EXPECT_EQ(t.read("page.html"), "new");
  EXPECT_EQ(t.read("page.BAK"), "older");
}

TEST(Disk, CreateDeleteCopyRead) {
  TempFolder t;
  makefolder(t.win("f\\"));
  EXPECT_TRUE(t.exists("f"));
  EXPECT_EQ(errorof([&] { makefolder(t.win("f")); }), 7183);
  EXPECT_EQ(errorof([&] { makefolder(t.win("x\\y\\")); }), 7003);
  t.write("f/a.txt", "A\r\nB");
  filecopy(t.win("f\\a.txt"), t.win("f\\b.txt"));
  filecopy(t.win("f\\a.txt"), t.win("f\\b.txt"));
  EXPECT_EQ(t.read("f/b.txt"), "A\r\nB");
  EXPECT_EQ(loadtext(t.win("f\\b.txt")), "A\nB");
  removefile(t.win("f\\b.txt"));
  EXPECT_FALSE(t.exists("f/b.txt"));
  removefile(t.win("f\\b.txt"));
  EXPECT_EQ(errorof([&] { loadtext(t.win("f\\b.txt")); }), 7002);
  EXPECT_EQ(errorof([&] { loadtext(t.win("g\\b.txt")); }), 7003);
  EXPECT_EQ(errorof([&] { loadtext(t.win("f")); }), 7005);
  EXPECT_EQ(errorof([&] { filecopy(t.win("f\\none"), t.win("f\\c")); }), 7002);
}

// As on Windows, a copy keeps the source's read-only attribute and time.
TEST(Disk, CopyKeepsAttributeAndTime) {
  TempFolder t;
  t.write("a.txt", "x");
  t.setreadonly("a.txt");
  std::filesystem::last_write_time(
      t.host("a.txt"), std::filesystem::last_write_time(t.host("a.txt")) - std::chrono::hours(30));
  filecopy(t.win("a.txt"), t.win("b.txt"));
  std::vector<platform::Entry> a = listfolder(t.win("a.txt"), kMaskFiles);
  std::vector<platform::Entry> b = listfolder(t.win("b.txt"), kMaskFiles);
  ASSERT_EQ(b.size(), 1u);
  EXPECT_EQ(b[0].attributes, 1u + 32 + 64);
  EXPECT_EQ(std::tie(b[0].year, b[0].month, b[0].day, b[0].hour, b[0].minute, b[0].second),
            std::tie(a[0].year, a[0].month, a[0].day, a[0].hour, a[0].minute, a[0].second));
}

TEST(Platform, RenameRefusesAnExistingTarget) {
  TempFolder t;
  t.write("a", "1");
  t.write("b", "2");
  EXPECT_EQ(errorof([&] { platform::renamefile(t.win("a"), t.win("b")); }), 7183);
  platform::renamefile(t.win("A"), t.win("c"));
  EXPECT_EQ(t.read("c"), "1");
  EXPECT_FALSE(t.exists("a"));
}

}  // namespace
}  // namespace qs
