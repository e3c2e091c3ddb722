#include "files/paths.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/error.h"
#include "platform/platform.h"

namespace qs {
namespace {

int errorof(void (*f)()) {
  try {
    f();
  } catch (const RuntimeError& e) {
    return e.code();
  }
  return 0;
}

TEST(SplitPath, SplitsAtLastSeparatorOrColon) {
  struct Case {
    const char *path, *folder, *name;
  } cases[] = {
      {"C:\\a\\b.sd", "C:\\a\\", "b.sd"}, {"b.sd", "", "b.sd"},       {"C:b.sd", "C:", "b.sd"},
      {"a/b.sd", "", "a/b.sd"},           {"C:\\a\\", "C:\\a\\", ""}, {"", "", ""},
      {"\\\\srv\\x", "\\\\srv\\", "x"},
  };
  for (const Case& c : cases) {
    PathSplit s = splitpath(c.path);
    EXPECT_EQ(s.folder, c.folder) << c.path;
    EXPECT_EQ(s.name, c.name) << c.path;
  }
}

TEST(SplitExt, ExtensionRule) {
  struct Case {
    const char *path, *base, *ext;
  } cases[] = {
      {"a\\b.c.md", "a\\b.c", ".md"},
      {"a.b\\c", "a.b\\c", ""},
      {"x..", "x..", ""},
      {".htaccess", "", ".htaccess"},
      {"file.", "file", "."},
      {"plain", "plain", ""},
      {"a\\.b", "a\\", ".b"},
      {"C:\\x\\y.HTML", "C:\\x\\y", ".HTML"},
  };
  for (const Case& c : cases) {
    ExtSplit s = splitext(c.path);
    EXPECT_EQ(s.base, c.base) << c.path;
    EXPECT_EQ(s.ext, c.ext) << c.path;
  }
}

TEST(JoinExt, ReplacesTheExtension) {
  struct Case {
    const char *base, *ext, *full;
  } cases[] = {
      {"C:\\x\\about.md", ".sd", "C:\\x\\about.sd"},
      {"a.b", "", "a"},
      {"index.html", ".BAK", "index.BAK"},
      {"a.b\\c", ".d", "a.b\\c.d"},
      {"x..", ".y", "x...y"},
      {"name", "txt", "nametxt"},
  };
  for (const Case& c : cases) EXPECT_EQ(joinext(c.base, c.ext), c.full) << c.base;
}

TEST(PathLimits, LongPathsRaise1135) {
  static const std::string p255(255, 'a'), p256(256, 'a'), p257(257, 'a');
  EXPECT_EQ(splitpath(p255).name, p255);
  EXPECT_EQ(errorof([] { splitpath(p256); }), err::kPathTooLong);
  EXPECT_EQ(splitext(p256).base, p256);
  EXPECT_EQ(errorof([] { splitext(p257); }), err::kPathTooLong);
  EXPECT_EQ(errorof([] { joinext(p256, ""); }), err::kPathTooLong);
  EXPECT_EQ(errorof([] { joinext(p255, ".x"); }), err::kPathTooLong);
  EXPECT_EQ(errorof([] { joinpath(p256, "a"); }), err::kPathTooLong);
  EXPECT_EQ(errorof([] { joinpath("C:\\", p256); }), err::kPathTooLong);
}

TEST(JoinPath, AbsoluteAndNormalised) {
  struct Case {
    const char *folder, *name, *full;
  } cases[] = {
      {"C:\\x\\", "a.sd", "C:\\x\\a.sd"},
      {"C:\\x", "a.sd", "C:\\x\\a.sd"},
      {"C:\\x\\", "D:\\y\\z", "D:\\y\\z"},
      {"C:\\x\\", "\\\\srv\\share\\a", "\\\\srv\\share\\a"},
      {"\\\\srv\\share", "a", "\\\\srv\\share\\a"},
      {"C:\\x\\", "..\\y", "C:\\y"},
      {"C:\\x\\y\\", ".\\z", "C:\\x\\y\\z"},
      {"C:\\x\\", "a\\\\b", "C:\\x\\a\\b"},
      {"C:\\x\\", "a\\.", "C:\\x\\a"},
      {"C:\\x\\", "a\\b\\..\\..\\c", "C:\\x\\c"},
      {"C:\\x\\", "a\\..", "C:\\x"},
      {"C:\\", ".", "C:\\"},
      {"C:\\", "..\\a", "C:\\..\\a"},
      {"C:\\x\\", "sub\\", "C:\\x\\sub\\"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(joinpath(c.folder, c.name), c.full) << c.folder << " + " << c.name;
}

TEST(JoinPath, RelativePartsUseTheWorkingFolder) {
  std::string w = platform::workfolder();
  std::string ws = w.back() == '\\' ? w : w + "\\";
  std::string drive = w.substr(0, 2);
  EXPECT_EQ(joinpath("", "a.txt"), ws + "a.txt");
  EXPECT_EQ(joinpath("rel\\", "a.txt"), ws + "rel\\a.txt");
  EXPECT_EQ(joinpath("C:\\x\\", "\\q"), drive + "\\q");
  EXPECT_EQ(joinpath("\\y", "a"), drive + "\\y\\a");
  EXPECT_EQ(joinpath("C:\\x\\", drive + "a"), ws + "a");
  EXPECT_EQ(joinpath(drive + "rel", "a"), ws + "rel\\a");
}

TEST(ExeFolder, EndsWithSeparatorAndNamesTheExecutable) {
  std::string f = exefolder();
  ASSERT_FALSE(f.empty());
  EXPECT_EQ(f.back(), '\\');
  EXPECT_EQ(f + exename(), platform::exepath());
  EXPECT_TRUE(exename().starts_with("files_tests")) << exename();
  EXPECT_EQ(workfolder(), platform::workfolder());
}

}  // namespace
}  // namespace qs
