#include "files/verbs.h"

#include <gtest/gtest.h>

#include "files/testtree.h"
#include "foundation/error.h"
#include "foundation/factstore.h"

namespace qs {
namespace {

using testing::TempTree;

int raisedcode(auto&& f) {
  try {
    f();
  } catch (const RuntimeError& e) {
    return e.code();
  }
  return 0;
}

TEST(CleanBak, DeletesMatchesBelowTheFolderInnermostLineFirst) {
  TempTree t;
  t.write("build/site/index.BAK", "old");
  t.write("build/site/index.html", "page");
  t.write("build/site/blog/post.bak", "old");
  t.write("build/site/blog/deep/x.Bak", "old");
  t.write("build/site/img/logo.png", "png");
  t.write("build/other/keep.BAK", "other project");
  std::string root = t.win("build/site/");
  ::testing::internal::CaptureStdout();
  cleanbak("*.bak", root);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "Cleaned " + root + "blog\\deep\\*.bak\n" + "Cleaned " + root + "blog\\*.bak\n" +
                "Cleaned " + root + "img\\*.bak\n" + "Cleaned " + root + "*.bak\n");
  EXPECT_FALSE(t.exists("build/site/index.BAK"));
  EXPECT_FALSE(t.exists("build/site/blog/post.bak"));
  EXPECT_FALSE(t.exists("build/site/blog/deep/x.Bak"));
  EXPECT_TRUE(t.exists("build/site/index.html"));
  EXPECT_TRUE(t.exists("build/site/img/logo.png"));
  EXPECT_TRUE(t.exists("build/other/keep.BAK"));
}

TEST(CleanBak, EmptyPatternMatchesTheOutputExtensionOnly) {
  TempTree t;
  t.write("b/page.html", "p");
  t.write("b/page.htm", "p");
  t.write("b/page.BAK", "p");
  facts().quiet.append({});
  ::testing::internal::CaptureStdout();
  cleanbak("*.htm", t.win("b/"));
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");  // quiet
  EXPECT_TRUE(t.exists("b/page.html"));
  EXPECT_FALSE(t.exists("b/page.htm"));
  EXPECT_TRUE(t.exists("b/page.BAK"));
}

TEST(CleanBak, MissingFolderAndReadOnlyFileRaise) {
  TempTree t;
  EXPECT_EQ(raisedcode([&] { cleanbak("*.bak", t.win("nothing/")); }), 7003);
  t.write("b/a.BAK", "old");
  t.setreadonly("b/a.BAK");
  EXPECT_EQ(raisedcode([&] { cleanbak("*.bak", t.win("b/")); }), 7005);
  EXPECT_TRUE(t.exists("b/a.BAK"));
}

TEST(ProjectFile, ExactlyThePageSourceKinds) {
  for (const char* e : {".SD", ".CRL", ".HTML", ".TXT"}) EXPECT_TRUE(projectfile(e)) << e;
  for (const char* e : {".MD", ".sd", ".HTM", ".PNG", ""}) EXPECT_FALSE(projectfile(e)) << e;
}

// The tree roots lie in a folder whose own path holds both setting texts
// ("projs\" and "build\"): only the roots at the front of a path are
// exchanged, so the copy still finds its sources and writes nowhere else.
class CopyFil : public ::testing::Test {
 protected:
  void SetUp() override {
    t.write("build/projs/qs/projs/site/style.css", "css");
    t.write("build/projs/qs/projs/site/about.md", "md");
    t.write("build/projs/qs/projs/site/page.sd", "sd");
    t.write("build/projs/qs/projs/site/feed.crl", "crl");
    t.write("build/projs/qs/projs/site/old.html", "html");
    t.write("build/projs/qs/projs/site/readme.TXT", "txt");
    t.write("build/projs/qs/projs/site/img/logo.png", "new png");
    t.write("build/projs/qs/projs/site/img/icons/x.svg", "svg");
    t.mkdir("build/projs/qs/build/site/img/icons");
    t.write("build/projs/qs/build/site/img/logo.png", "old png");
  }
  TempTree t;
  std::string src = t.win("build/projs/qs/projs/site/");
  std::string dst = t.win("build/projs/qs/build/site/");
};

TEST_F(CopyFil, CopiesMissingExtraFilesFromTheMirroredFolder) {
  ::testing::internal::CaptureStdout();
  copyfil("*.*", dst, src, dst);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "Copied From " + src + "about.md\nTo:  " + dst + "about.md\n" + "Copied From " + src +
                "style.css\nTo:  " + dst + "style.css\n" + "Copied From " + src +
                "img\\icons\\x.svg\nTo:  " + dst + "img\\icons\\x.svg\n" +
                "Sync copy process over at " + dst + "img\\icons\\\n\n" +
                "Sync copy process over at " + dst + "img\\\n\n" + "Sync copy process over at " +
                dst + "\n\n");
  EXPECT_EQ(t.read("build/projs/qs/build/site/style.css"), "css");
  EXPECT_EQ(t.read("build/projs/qs/build/site/about.md"), "md");
  EXPECT_EQ(t.read("build/projs/qs/build/site/img/icons/x.svg"), "svg");
  EXPECT_EQ(t.read("build/projs/qs/build/site/img/logo.png"), "old png");  // never replaced
  for (const char* f : {"page.sd", "feed.crl", "old.html", "readme.TXT"})
    EXPECT_FALSE(t.exists(std::string("build/projs/qs/build/site/") + f)) << f;
  // Nothing appears under a path made by exchanging the inner setting texts.
  EXPECT_FALSE(t.exists("projs"));
  EXPECT_FALSE(t.exists("build/build"));

  ::testing::internal::CaptureStdout();
  copyfil("*.*", dst, src, dst);  // a second run copies nothing
  EXPECT_EQ(::testing::internal::GetCapturedStdout().find("Copied"), std::string::npos);
}

TEST_F(CopyFil, BuildFolderWithoutSourceCounterpartRaises) {
  t.mkdir("build/projs/qs/build/site/stale");
  EXPECT_EQ(raisedcode([&] { copyfil("*.*", dst, src, dst); }), 7003);
}

}  // namespace
}  // namespace qs
