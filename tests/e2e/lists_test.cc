// Generated lists, tag collections and clones, end to end: the project file
// and page sources as a user writes them, the built pages as written.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/e2e/httpsserver.h"
#include "tests/e2e/site.h"

namespace qs::e2e {
namespace {

namespace fs = std::filesystem;

/// A text in the project and instruction syntax: quoted, backslashes
/// doubled.
std::string q(std::string_view s) {
  std::string out = "\"";
  for (char c : s) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return out + "\"";
}

/// The instruction that inserts the variable name.
std::string v(std::string_view name) {
  return "[[v(" + q(name) + ")]]";
}

/// One "@ALL" entry as the page file holds it (line feeds written as CR LF).
std::string entry(std::string_view link, std::string_view tags) {
  return "{\"link\":\"" + std::string(link) + "\",\"tags\":\"" + std::string(tags) + "\"},\r\n";
}

/// A project "web" built from the site folder: pages below projs\web\.
class ListSite : public ::testing::Test {
 protected:
  /// Lists a page and writes its source.
  void page(std::string_view name, std::string_view text) {
    records += ",file(" + q("web\\" + std::string(name)) + ")";
    source(name, text);
  }
  /// Writes a source below projs/web/ without listing it.
  void source(std::string_view name, std::string_view text) {
    std::string rel(name);
    for (char& c : rel)
      if (c == '\\') c = '/';
    s.write("projs/web/" + rel, text);
  }
  void clone(int index, std::string_view name, std::string_view bindings) {
    records += ",clone(" + std::to_string(index) + "," + q("web\\" + std::string(name)) + ",[" +
               std::string(bindings) + "])";
  }
  RunResult build() {
    s.write("site.txt", records);
    return s.run("site.txt");
  }
  std::string out(std::string_view rel) const { return s.read("build/web/" + std::string(rel)); }
  std::string warning(std::string_view name, std::string_view source) const {
    return "WARNING: Could not find value for \"" + std::string(name) + "\" in file: projs\\web\\" +
           std::string(source) + "\n";
  }

  Site s;
  std::string records = "root(\"web\")";
};

TEST_F(ListSite, NavigationOfAllPagesAndAValueList) {
  records += ",g(\"colors\",\"red\"),g(\"colors\",\"green\")";
  page("index.sd",
       "<ul>" + v("~~<li><a href=/%.html>%</a></li>") + "</ul>\n" + v("~colors<p>%: %</p>"));
  page("blog\\index.sd", "blog");
  page("blog\\my_post.sd", "post");
  RunResult r = build();
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(out("index.html"),
            "<ul><li><a href=/index.html>Home</a></li><li><a href=/blog/index.html>Blog</a></li>"
            "<li><a href=/blog/my_post.html>My post</a></li></ul>\r\n"
            "<p>1: red</p><p>2: green</p>");
}

TEST_F(ListSite, ItemFormatByNumberOfPercent) {
  page("index.sd", "0:" + v("~~<br>") + "\n1:" + v("~~<a href=%>") +
                       "\n2:" + v("~~<a href=%>%</a>") + "\n3:" + v("~~<a href=% title=%>%</a>") +
                       "\n4:" + v("~~<%|%|%|%>") + "\n5:" + v("~~<%|%|%|%|%>") + "\n50:" +
                       v("~~<li>50%% %</li>") + "\nempty:" + v("~nothing<%|%|%|%|%>") + ".");
  page("about_us.sd", "");
  RunResult r = build();
  EXPECT_EQ(out("index.html"),
            "0:indexabout_us\r\n"
            "1:<a href=index><a href=about_us>\r\n"
            "2:<a href=index>Home</a><a href=about_us>About us</a>\r\n"
            "3:<a href=index title=index>Home</a><a href=about_us title=about_us>About us</a>\r\n"
            "4:<index|index|index|Home><about_us|about_us|about_us|About us>\r\n"
            "5:\r\n"
            "50:\r\n"
            "empty:.");
  // A list that fails leaves the name unknown: the lookup's warning.
  EXPECT_NE(r.out.find(warning("~~<%|%|%|%|%>", "index.sd")), std::string::npos) << r.out;
  EXPECT_NE(r.out.find(warning("~~<li>50%% %</li>", "index.sd")), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("~nothing"), std::string::npos) << r.out;
}

TEST_F(ListSite, PromptsOfPagesAndClones) {
  page("index.sd", v("~~<%|%>"));
  page("my_blog\\index.sd", "");
  page("about_us.sd", "");
  page("contact-form.sd", "");
  page("\xe9t\xe9.sd", "");
  page("x\\Index.sd", "");
  clone(1, "shop\\index.sd", "");
  page("list.sd", v("~1<%|%>"));
  RunResult r = build();
  EXPECT_EQ(out("index.html"),
            "<index|Home><my_blog/index|My blog><about_us|About us><contact-form|Contact>"
            "<\xe9t\xe9|\xc9t\xe9><x/Index|Index><list|List>");
  EXPECT_EQ(out("list.html"), "<shop/index|Index>");
}

TEST_F(ListSite, ClonesSelectedByTag) {
  page("index.sd", "all:" + v("~##-news<%,>") + "\npage1:" + v("~#1-news<%,>") +
                       "\nblue:" + v("~##-blue<%,>") + "\nspaced:" + v("~##- blue<%,>") +
                       "\nany:" + v("~##-<%,>") + "\nnotag:" + v("~#news<%,>") + ".");
  page("news.sd", "");
  clone(0, "plain.sd", "g(\"tags\",\"news\")");
  clone(0, "after.sd", "g(\"tags\",\"news,\")");
  clone(1, "before.sd", "g(\"tags\",\"sport,news\")");
  clone(1, "spaced.sd", "g(\"tags\",\"red, blue\")");
  clone(0, "cased.sd", "g(\"title\",\"x\"),g(\"tags\",\"Red,Blue\")");
  RunResult r = build();
  EXPECT_EQ(out("index.html"),
            "all:<after,><before,>\r\npage1:<before,>\r\nblue:<cased,>\r\nspaced:<spaced,>\r\n"
            "any:<after,><before,><spaced,><cased,>\r\nnotag:.");
}

TEST_F(ListSite, AllClonesCollectionAndOneItem) {
  page("index.sd", v("@ALL") + "|" + v("@1") + "|" + v("@-1") + "|" + v("@-2"));
  records += ",tags(1,\"green,\"),tags(-1,\"home,\")";
  clone(0, "p\\a.sd", "g(\"tags\",\"red,blue\")");
  clone(0, "p\\b.sd", "");
  clone(0, "p\\c.sd", "g(\"title\",\"no tags\")");
  RunResult r = build();
  const std::string index = "[" + entry("/p/b.html", "green,") + entry("/p/a.html", "red,blue") +
                            "]|[" + entry("/p/b.html", "green,") + "]|[" +
                            entry("/index.html", "home,") + "]|[]";
  EXPECT_EQ(out("index.html"), index);
  // The clones are built from the same page and carry the same index.
  EXPECT_EQ(out("p/a.html"), index);
  EXPECT_EQ(out("p/c.html"), index);
}

TEST_F(ListSite, CloneBindingsHideGlobalsOnlyWhileTheCloneIsBuilt) {
  records += ",g(\"title\",\"Home\")";
  page("index.sd", "<h1>" + v("title") + "</h1>" + v("~title<%;>"));
  page("news.sd", "[[p(\"title\",\"Mine\")]]" + v("title"));
  clone(0, "away.sd", "g(\"title\",\"Away\")");
  clone(0, "again.sd", "");
  clone(1, "news2.sd", "g(\"title\",\"Old news\")");
  RunResult r = build();
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(out("index.html"), "<h1>Home</h1><Home;>");
  EXPECT_EQ(out("away.html"), "<h1>Away</h1><Away;><Home;>");
  EXPECT_EQ(out("again.html"), "<h1>Home</h1><Home;>");
  EXPECT_EQ(out("news2.html"), "Mine");
  const std::string order =
      "Saved: " + s.win("build/web/index.html") + "\nSaved: " + s.win("build/web/news.html") +
      "\nSaved: " + s.win("build/web/away.html") + "\nSaved: " + s.win("build/web/again.html") +
      "\nSaved: " + s.win("build/web/news2.html") + "\n";
  EXPECT_NE(r.out.find(order), std::string::npos) << r.out;
}

TEST_F(ListSite, CloneWrittenOverAListedPage) {
  records += ",g(\"who\",\"page\")";
  page("index.sd", v("who"));
  clone(0, "index.sd", "g(\"who\",\"clone\")");
  build();
  EXPECT_EQ(out("index.html"), "clone");
  EXPECT_EQ(out("index.BAK"), "page");
}

TEST_F(ListSite, CloneOfAMarkdownPage) {
  if (!hostprogram("/usr/bin/pandoc"))
    GTEST_SKIP() << "needs /usr/bin/pandoc on the host (not under an emulator)";
  fs::create_symlink("/usr/bin/pandoc", s.host("pandoc/pandoc.exe"));
  page("post.md", "# Post\n\nSome *text*.\n");
  clone(0, "copy.md", "g(\"title\",\"Copy\")");
  RunResult r = build();
  EXPECT_EQ(out("post.html"), "<h1>Post</h1>\r\n<p>Some <em>text</em>.</p>\r\n");
  EXPECT_EQ(out("copy.html"), out("post.html")) << r.out;
  EXPECT_FALSE(s.exists("projs/web/copy.sd"));
}

}  // namespace
}  // namespace qs::e2e
