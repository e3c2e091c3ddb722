// The clean, empty and copy verbs on a project's build folder, end to end.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/nestedsite.h"
#include "tests/e2e/site.h"

namespace qs::e2e {
namespace {

constexpr std::string_view kProject = "root(\"mysite\"),file(\"mysite\\\\index.sd\")";

bool contains(const std::string& out, const std::string& part) {
  return out.find(part) != std::string::npos;
}

/// The copy verb's fixture: extra files and page sources in the source tree.
void writesources(const Site& s) {
  s.write("site.txt", kProject);
  s.write("projs/mysite/index.sd", "page");
  s.write("projs/mysite/style.css", "css");
  s.write("projs/mysite/about.md", "md");
  s.write("projs/mysite/page.sd", "sd");
  s.write("projs/mysite/feed.crl", "crl");
  s.write("projs/mysite/old.html", "html");
  s.write("projs/mysite/readme.TXT", "txt");
  s.write("projs/mysite/img/logo.png", "png");
}

void expectcopied(const Site& s) {
  EXPECT_EQ(s.read("build/mysite/style.css"), "css");
  EXPECT_EQ(s.read("build/mysite/about.md"), "md");
  EXPECT_EQ(s.read("build/mysite/img/logo.png"), "png");
  for (const char* f : {"page.sd", "feed.crl", "old.html", "readme.TXT"})
    EXPECT_FALSE(s.exists(std::string("build/mysite/") + f)) << f;
}

TEST(CleanVerb, RemovesBackupsBelowTheProjectInnermostFirst) {
  Site s;
  s.write("site.txt", kProject);
  s.write("build/mysite/index.BAK", "old");
  s.write("build/mysite/index.html", "page");
  s.write("build/mysite/blog/post.BAK", "old");
  s.write("build/other/keep.BAK", "other project");
  RunResult r = s.run("clean site.txt");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(contains(r.out, "Cleaned " + s.win("build/mysite/blog/") + "*.bak\nCleaned " +
                                  s.win("build/mysite/") + "*.bak\n"))
      << r.out;
  EXPECT_FALSE(s.exists("build/mysite/index.BAK"));
  EXPECT_FALSE(s.exists("build/mysite/blog/post.BAK"));
  EXPECT_TRUE(s.exists("build/mysite/index.html"));
  EXPECT_TRUE(s.exists("build/other/keep.BAK"));
  EXPECT_EQ(s.run("-q clean site.txt").out, "");
}

TEST(EmptyVerb, RemovesPagesWithTheOutputExtensionOnly) {
  Site s;
  s.write("site.txt", kProject);
  s.write("quernstow.cfg", "output(\".htm\")");
  s.write("build/mysite/page.htm", "p");
  s.write("build/mysite/sub/deep.htm", "p");
  s.write("build/mysite/page.html", "p");
  s.write("build/mysite/page.BAK", "p");
  s.write("build/mysite/logo.png", "p");
  RunResult r = s.run("-q empty site.txt");
  EXPECT_EQ(r.out, "");
  EXPECT_FALSE(s.exists("build/mysite/page.htm"));
  EXPECT_FALSE(s.exists("build/mysite/sub/deep.htm"));
  for (const char* f : {"page.html", "page.BAK", "logo.png"})
    EXPECT_TRUE(s.exists(std::string("build/mysite/") + f)) << f;
}

TEST(CleanVerb, MissingBuildFolderEndsWithThePathReport) {
  Site s;
  s.write("site.txt", kProject);
  for (const char* verb : {"clean", "empty"}) {
    RunResult r = s.run(std::string(verb) + " site.txt");
    EXPECT_EQ(r.status, 7003 % 256) << verb;
    EXPECT_TRUE(contains(r.out, "\nPROGRAM ERROR. Module:")) << r.out;
    EXPECT_TRUE(contains(r.out, " Message:The system cannot find the path specified\n")) << r.out;
  }
  EXPECT_FALSE(s.exists("build/mysite"));
}

TEST(CleanVerb, ReadOnlyBackupEndsWithTheAccessReport) {
  Site s;
  s.write("site.txt", kProject);
  s.write("build/mysite/a.BAK", "old");
  s.setreadonly("build/mysite/a.BAK", true);
  RunResult r = s.run("clean site.txt");
  EXPECT_EQ(r.status, 7005 % 256);
  EXPECT_TRUE(contains(r.out, " Message:Access is denied\n")) << r.out;
  EXPECT_TRUE(s.exists("build/mysite/a.BAK"));
}

TEST(CopyVerb, CopiesExtraFilesOnceAndNeverReplaces) {
  Site s;
  writesources(s);
  RunResult r = s.run("copy site.txt");
  EXPECT_EQ(r.status, 0);
  expectcopied(s);
  EXPECT_TRUE(contains(r.out, "Copied From " + s.win("projs/mysite/img/logo.png") +
                                  "\nTo:  " + s.win("build/mysite/img/logo.png") + "\n"))
      << r.out;
  EXPECT_TRUE(contains(r.out, "Sync copy process over at " + s.win("build/mysite/img/") +
                                  "\n\nSync copy process over at " + s.win("build/mysite/") +
                                  "\n\n"))
      << r.out;

  s.write("projs/mysite/img/logo.png", "changed");
  r = s.run("copy site.txt");
  EXPECT_FALSE(contains(r.out, "Copied From")) << r.out;
  EXPECT_EQ(s.read("build/mysite/img/logo.png"), "png");
  EXPECT_EQ(s.run("-q copy site.txt").out, "");
}

TEST(CopyVerb, TreesMapByTheirRootsWhenTheInstallPathHoldsTheSettings) {
  NestedSite n;
  const Site& s = n.site();
  ASSERT_TRUE(contains(s.win(""), "\\build\\projs\\"));
  writesources(s);
  s.write("projs/mysite/img/icons/x.svg", "svg");
  RunResult r = s.run("copy site.txt");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_FALSE(contains(r.out, "PROGRAM ERROR")) << r.out;
  expectcopied(s);
  EXPECT_EQ(s.read("build/mysite/img/icons/x.svg"), "svg");
  EXPECT_FALSE(n.outsidetouched());
}

}  // namespace
}  // namespace qs::e2e
