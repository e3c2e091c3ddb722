// The report and build of source files that no listed page accounts for,
// end to end.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/nestedsite.h"
#include "tests/e2e/site.h"

namespace qs::e2e {
namespace {

bool contains(const std::string& out, const std::string& part) {
  return out.find(part) != std::string::npos;
}

void writeproject(const Site& s) {
  s.write("site.txt", "root(\"mysite\"),file(\"mysite\\\\index.sd\")");
  s.write("projs/mysite/index.sd", "<[[i(\"mysite\\\\header.sd\")]]>");
  s.write("projs/mysite/header.sd", "H");
  s.write("projs/mysite/about.sd", "A");
  s.write("projs/mysite/intro.old.sd", "I");
  s.write("projs/mysite/style.CSS", "c");
  s.write("projs/mysite/img/logo.png", "p");
  s.write("projs/mysite/blog/draft.sd", "D");
  for (const char* f : {"index.sd", "header.sd", "about.sd", "intro.old.sd", "blog/draft.sd"})
    s.touch(std::string("projs/mysite/") + f, -10);
}

std::string unlisted(const Site& s, std::string_view rel) {
  return "Unlisted: " + s.win(rel) + " \n";
}

TEST(UnlistedFiles, ReportedAndBuiltWhileTheirOutputIsMissingOrOlder) {
  Site s;
  writeproject(s);
  RunResult r = s.run("site.txt");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(contains(r.out, unlisted(s, "build/mysite/about.html") +
                                  unlisted(s, "build/mysite/header.html") +
                                  unlisted(s, "build/mysite/intro.html") +
                                  unlisted(s, "build/mysite/blog/draft.html")))
      << r.out;
  EXPECT_FALSE(contains(r.out, "index.html \n")) << r.out;
  EXPECT_FALSE(contains(r.out, "style")) << r.out;
  EXPECT_FALSE(contains(r.out, "logo")) << r.out;
  EXPECT_EQ(s.read("build/mysite/index.html"), "<H>");
  EXPECT_EQ(s.read("build/mysite/header.html"), "H");
  EXPECT_EQ(s.read("build/mysite/blog/draft.html"), "D");
  // The report's target drops the inner ".old"; the page itself keeps it,
  // so that file is reported on every run.
  EXPECT_EQ(s.read("build/mysite/intro.old.html"), "I");

  // Outputs newer than their sources: only the inner-extension file.
  r = s.run("site.txt");
  EXPECT_TRUE(contains(r.out, "Saved: " + s.win("build/mysite/index.html") + "\n" +
                                  unlisted(s, "build/mysite/intro.html") + "Saved: "))
      << r.out;
  EXPECT_FALSE(contains(r.out, "about.html \n")) << r.out;

  // A source changed after its output is reported again.
  s.touch("projs/mysite/about.sd", 5);
  r = s.run("site.txt");
  EXPECT_TRUE(contains(r.out, unlisted(s, "build/mysite/about.html"))) << r.out;
  EXPECT_FALSE(contains(r.out, "header.html \n")) << r.out;
  EXPECT_FALSE(contains(r.out, "draft.html \n")) << r.out;
  EXPECT_EQ(s.run("-q site.txt").out, "");
}

TEST(UnlistedFiles, TargetsLieBelowTheBuildRootWhenTheInstallPathHoldsTheSettings) {
  NestedSite n;
  const Site& s = n.site();
  writeproject(s);
  RunResult r = s.run("site.txt");
  EXPECT_TRUE(contains(r.out, unlisted(s, "build/mysite/about.html"))) << r.out;
  EXPECT_EQ(s.read("build/mysite/about.html"), "A");
  EXPECT_FALSE(n.outsidetouched());
}

}  // namespace
}  // namespace qs::e2e
