// The build and verb sequences, end to end: the order of a whole build, the
// recognition of a leading verb and the fall-back to a build of the whole
// text.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/site.h"

namespace qs::e2e {
namespace {

const std::string kBanner =
    "Quernstow static page builder. Version: 0.5.8\n"
    "Assembles web pages from fragment files into the build folder.\n"
    "Run it without arguments for the usage text.\n\n";

const std::string kFailed =
    "Either project filename was not specified on the command line. Or it was not found. Or it "
    "was not written correctly. ";

const std::string kNoRoot = "Root folder of the project was not specified in the project file!\n";

constexpr std::string_view kProject = "root(\"mysite\"),file(\"mysite\\\\index.sd\")";

int hoststatus(int code) {
  return code % 256 == 0 ? 255 : code % 256;
}

std::string saved(const Site& s, std::string_view rel) {
  return "Saved: " + s.win(rel) + "\n";
}
std::string unlisted(const Site& s, std::string_view rel) {
  return "Unlisted: " + s.win(rel) + " \n";
}
std::string cleaned(const Site& s, std::string_view rel, std::string_view pattern) {
  return "Cleaned " + s.win(rel) + std::string(pattern) + "\n";
}

TEST(Build, PagesThenClonesThenUnlistedFilesThenTheReport) {
  Site s;
  s.write("site.txt",
          "root(\"mysite\"),\n"
          "file(\"mysite\\\\index.sd\"),\n"
          "file(\"mysite\\\\about.sd\"),\n"
          "clone(0,\"mysite\\\\twin.sd\",[g(\"who\",\"twin\")]),\n"
          "notes(\"Done.\")");
  s.write("projs/mysite/index.sd", "index");
  s.write("projs/mysite/about.sd", "about [[i(\"mysite\\\\header.sd\")]]");
  s.write("projs/mysite/nav.sd", "nav");
  s.write("projs/mysite/style.css", "not a page");
  RunResult r = s.run("-r site.txt");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, kBanner + saved(s, "build/mysite/index.html") +
                       saved(s, "build/mysite/about.html") + saved(s, "build/mysite/twin.html") +
                       unlisted(s, "build/mysite/header.html") +
                       unlisted(s, "build/mysite/nav.html") + saved(s, "build/mysite/header.html") +
                       saved(s, "build/mysite/nav.html") +
                       "\n*********\nIMPORTANT\n*********\nThe following files were created with "
                       "placeholder content.\nPlease modify them as per your requirements and "
                       "build again!\n\n" +
                       s.win("projs/mysite/header.sd") + "\n" + "\nDone.");
  EXPECT_EQ(s.read("build/mysite/twin.html"), "index");
  EXPECT_EQ(s.read("build/mysite/nav.html"), "nav");
  EXPECT_FALSE(s.exists("build/mysite/style.html"));
}

TEST(Build, UnderCreateAMissingSourceFolderIsMade) {
  Site s;
  s.write("site.txt", "root(\"newsite\")");
  RunResult r = s.run("site.txt");
  EXPECT_EQ(r.out, kBanner);
  EXPECT_FALSE(s.exists("projs/newsite"));
  r = s.run("-r site.txt");
  EXPECT_EQ(r.out, kBanner);
  EXPECT_TRUE(s.exists("projs/newsite"));
}

TEST(Build, AnErrorNothingCatchesEndsTheRun) {
  Site s;
  s.write("site.txt", "root(\"mysite\"),file(\"mysite\\\\a.sd\"),file(\"mysite\\\\b.sd\")");
  s.write("projs/mysite/a.sd", "a");
  s.write("projs/mysite/b.sd", "b");
  s.write("build/mysite/a.html", "old");
  s.setreadonly("build/mysite/a.html", true);
  RunResult r = s.run("site.txt");
  EXPECT_EQ(r.status, hoststatus(7005));
  EXPECT_NE(r.out.find("\nPROGRAM ERROR. Module:"), std::string::npos) << r.out;
  EXPECT_TRUE(r.out.ends_with("\n Message:Access is denied\n")) << r.out;
  EXPECT_EQ(s.read("build/mysite/a.html"), "old");
  EXPECT_FALSE(s.exists("build/mysite/b.html"));
}

TEST(Verbs, ALeadingVerbRunsOnTheProjectsBuildFolder) {
  Site s;
  s.write("my site.txt", kProject);
  s.write("build/mysite/index.BAK", "old");
  s.write("build/mysite/index.html", "page");
  RunResult r = s.run("clean 'my site.txt'");
  EXPECT_EQ(r.out, kBanner + cleaned(s, "build/mysite/", "*.bak"));
  EXPECT_FALSE(s.exists("build/mysite/index.BAK"));
  EXPECT_TRUE(s.exists("build/mysite/index.html"));
  s.write("quernstow.cfg", "output(\".htm\")\n");
  s.write("build/mysite/index.htm", "page");
  r = s.run("empty 'my site.txt'");
  EXPECT_EQ(r.out, kBanner + cleaned(s, "build/mysite/", "*.htm"));
  EXPECT_FALSE(s.exists("build/mysite/index.htm"));
  EXPECT_TRUE(s.exists("build/mysite/index.html"));
  if (!emulated()) {  // quotes as typed reach the program only without a launcher
    s.write("build/mysite/x.htm", "page");
    EXPECT_EQ(s.run("empty '\"my site.txt\"'").out, kBanner + cleaned(s, "build/mysite/", "*.htm"));
    EXPECT_FALSE(s.exists("build/mysite/x.htm"));
  }
}

TEST(Verbs, ACopyVerbFillsTheBuildFolder) {
  Site s;
  s.write("site.txt", kProject);
  s.write("projs/mysite/index.sd", "page");
  s.write("projs/mysite/img/logo.png", "png");
  RunResult r = s.run("copy site.txt");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, kBanner + "Copied From " + s.win("projs/mysite/img/logo.png") +
                       "\nTo:  " + s.win("build/mysite/img/logo.png") +
                       "\nSync copy process over at " + s.win("build/mysite/img/") +
                       "\n\nSync copy process over at " + s.win("build/mysite/") + "\n\n");
  EXPECT_EQ(s.read("build/mysite/img/logo.png"), "png");
  EXPECT_FALSE(s.exists("build/mysite/index.sd"));
  EXPECT_FALSE(s.exists("build/mysite/index.html"));  // nothing is built
}

TEST(Verbs, WithoutAUsableVerbTheWholeTextIsTheProjectName) {
  Site s;
  s.write("projs/mysite/index.sd", "page");
  // "clean" alone names a project file "clean".
  EXPECT_EQ(s.run("clean").out, kBanner + kFailed);
  s.write("clean", kProject);
  EXPECT_EQ(s.run("clean").out, kBanner + saved(s, "build/mysite/index.html"));
  // Verbs are case-sensitive.
  s.write("site.txt", kProject);
  EXPECT_EQ(s.run("CLEAN site.txt").out, kBanner + kFailed);
  s.write("CLEAN site.txt", kProject);
  EXPECT_EQ(s.run("'CLEAN site.txt'").out, kBanner + saved(s, "build/mysite/index.html"));
}

TEST(Verbs, AProjectNamedAfterAVerbIsBuilt) {
  Site s;
  s.write("copy.txt", kProject);
  s.write("projs/mysite/index.sd", "page");
  RunResult r = s.run("copy.txt");
  EXPECT_EQ(r.out, kBanner + saved(s, "build/mysite/index.html"));
}

TEST(Verbs, AVerbWhoseProjectFailsFallsBackToTheBuild) {
  Site s;
  EXPECT_EQ(s.run("empty missing.txt").out, kBanner + kFailed);
  s.write("site.txt", "file(\"mysite\\\\index.sd\")");
  EXPECT_EQ(s.run("clean site.txt").out, kBanner + kNoRoot + kFailed);
  EXPECT_EQ(s.run("-q clean site.txt").out, kNoRoot);
}

}  // namespace
}  // namespace qs::e2e
