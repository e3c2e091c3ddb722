#include "variables/filelists.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "foundation/error.h"
#include "foundation/factstore.h"

namespace qs {
namespace {

class FileListsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetfacts();
    facts().root.append(Root{"site\\"});
  }
  void page(const std::string& name) { facts().file.append(File{name}); }
  void clone(int32_t index, const std::string& name, BindingList bindings = {}) {
    facts().clone.append(Clone{index, name, std::move(bindings)});
  }
  void global(const std::string& name, const std::string& value) {
    facts().g.append(Global{name, value});
  }
};

TEST_F(FileListsTest, PagesWithLinkAndPrompt) {
  page("site\\index.sd");
  page("site\\blog\\index.sd");
  page("site\\blog\\my_post.sd");
  EXPECT_EQ(getfilelist("~~<li><a href=/%.html>%</a></li>"),
            "<li><a href=/index.html>Home</a></li><li><a href=/blog/index.html>Blog</a></li>"
            "<li><a href=/blog/my_post.html>My post</a></li>");
}

TEST_F(FileListsTest, ValuesWithTheirPosition) {
  global("colors", "red");
  global("other", "blue");
  global("colors", "green");
  EXPECT_EQ(getfilelist("~colors<p>%: %</p>"), "<p>1: red</p><p>2: green</p>");
  EXPECT_EQ(getfilelist("~colors<li>%s %s</li>"), "<li>1s red</li><li>2s green</li>");
  EXPECT_EQ(getfilelist("~colors<li>%d. %s</li>"), "<li>1. red</li><li>2. green</li>");
  EXPECT_EQ(getfilelist("~colors<%%>"), std::nullopt);
  EXPECT_EQ(getfilelist("~colors<%s>"), "<red><green>");  // one "%": the value alone
}

TEST_F(FileListsTest, ItemFormatByNumberOfPercent) {
  page("site\\index.sd");
  page("site\\about_us.sd");
  struct Case {
    const char* name;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"~~<br>", "indexabout_us"},
      {"~~<a href=%>", "<a href=index><a href=about_us>"},
      {"~~<a href=%>%</a>", "<a href=index>Home</a><a href=about_us>About us</a>"},
      {"~~<a href=% id=%>%</a>",
       "<a href=index id=index>Home</a>"
       "<a href=about_us id=about_us>About us</a>"},
      {"~~<%|%|%|%>", "<index|index|index|Home><about_us|about_us|about_us|About us>"},
      {"~~<%|%|%|%|%>", std::nullopt},
      {"~~<li>50%% %</li>", std::nullopt},  // three "%", one placeholder
      {"~~<%%>", std::nullopt},             // two "%", no placeholder
      {"~~<%>%%", std::nullopt},            // three "%", one placeholder
      {"~~<", "indexabout_us"},
      {"~nothing<%%%%%%>", ""},
      {"~7<%|%|%|%|%>", ""},
      {"~##-x<%|%|%|%|%>", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(getfilelist(c.name), c.expected) << c.name;
}

TEST_F(FileListsTest, NotAFileList) {
  page("site\\index.sd");
  EXPECT_EQ(getfilelist("~~"), std::nullopt);
  EXPECT_EQ(getfilelist("x~<%>"), std::nullopt);
  EXPECT_EQ(getfilelist("<~~<%>"), std::nullopt);
  EXPECT_EQ(getfilelist("~<li>%</li>"), "");  // globals named ""
}

TEST_F(FileListsTest, LinksAndPrompts) {
  struct Case {
    ListKind kind;
    const char* name;
    const char* link;
    const char* prompt;
  };
  const Case cases[] = {
      {ListKind::Pages, "site\\index.sd", "index", "Home"},
      {ListKind::Pages, "site\\blog\\index.sd", "blog/index", "Blog"},
      {ListKind::Pages, "site\\my_blog\\index.html", "my_blog/index.html", "My blog"},
      {ListKind::Pages, "site\\a\\b-c\\index.sd", "a/b-c/index", "B-c"},
      {ListKind::Pages, "site\\Index.sd", "Index", "Index"},
      {ListKind::Clones, "site\\shop\\index.sd", "shop/index", "Index"},
      {ListKind::Clones, "site\\index.sd", "index", "Index"},
      {ListKind::Pages, "site\\_draft.sd", "_draft", " draft"},
      {ListKind::Pages, "site\\about-us.sd", "about-us", "About"},
      {ListKind::Pages, "site\\docs\\my.sdk\\x.sd", "docs/myk/x", "X"},
      {ListKind::Pages, "site\\12.5e3x.sd", "12.5e3x", "12.5e3"},
      {ListKind::Pages, "site\\\xe9t\xe9_ici.sd", "\xe9t\xe9_ici", "\xc9t\xe9 ici"},
      {ListKind::Pages, "site\\\xff.sd", "\xff", "\x9f"},
      {ListKind::Values, "a\\b.sd", "a\\b.sd", "a\\b.sd"},
      {ListKind::Values, "", "", ""},
      {ListKind::Pages, "https://h/get?file=site\\news.sd&x=1", "news", "News"},
      {ListKind::Pages, "https://h/get?myfile=site\\n\\index.sd", "n/index", "N"},
  };
  for (const Case& c : cases) {
    std::optional<LinkPrompt> item = striptojustfilename(c.kind, c.name);
    ASSERT_TRUE(item) << c.name;
    EXPECT_EQ(item->link, c.link) << c.name;
    EXPECT_EQ(item->prompt, c.prompt) << c.name;
  }
}

TEST_F(FileListsTest, NamesOutsideTheRootOrWithoutPromptFail) {
  const char* names[] = {
      "other\\x.sd", "SITE\\x.sd",       "site", "https://h/x.sd", "https://h/?file=other\\x.sd",
      "site\\ ",     "site\\\\index.sd",
  };
  for (const char* name : names)
    EXPECT_EQ(striptojustfilename(ListKind::Pages, name), std::nullopt) << name;
  page("site\\index.sd");
  page("other\\index.sd");
  EXPECT_EQ(getfilelist("~~<%>"), std::nullopt);  // no partial list
}

TEST_F(FileListsTest, PromptPieces) {
  EXPECT_EQ(getlnkprompt(""), "Home");
  EXPECT_EQ(getlnkprompt("a\\b_c\\"), "b c");
  EXPECT_EQ(getlnkprompt("a\\my_page.sd"), "my page");
  EXPECT_EQ(getlnkprompt("  x y"), "x");
  EXPECT_EQ(getlnkprompt(" "), std::nullopt);
  EXPECT_EQ(capitalize(""), std::nullopt);
  EXPECT_EQ(capitalize("\xe0la"), "\xc0la");
  EXPECT_EQ(asperfilenamepath(ListKind::Pages, "index.sd"), "");
  EXPECT_EQ(asperfilenamepath(ListKind::Pages, "a\\b\\index.x"), "a\\b\\");
  EXPECT_EQ(asperfilenamepath(ListKind::Pages, "a\\indexx.sd"), "indexx.sd");
  EXPECT_EQ(asperfilenamepath(ListKind::Clones, "a\\index.sd"), "index.sd");
}

TEST_F(FileListsTest, FormatPerCount) {
  EXPECT_EQ(formataspercount(1, ListKind::Pages, 0, "l", "P", "ignored %"), "l");
  EXPECT_EQ(formataspercount(1, ListKind::Pages, 1, "l", "P", "[%]"), "[l]");
  EXPECT_EQ(formataspercount(3, ListKind::Pages, 2, "l", "P", "%:%"), "l:P");
  EXPECT_EQ(formataspercount(3, ListKind::Values, 2, "l", "l", "%:%"), "3:l");
  EXPECT_EQ(formataspercount(1, ListKind::Pages, 3, "l", "P", "%|%|%"), "l|l|P");
  EXPECT_EQ(formataspercount(1, ListKind::Pages, 4, "l", "P", "%|%|%|%"), "l|l|l|P");
  EXPECT_EQ(formataspercount(1, ListKind::Pages, 5, "l", "P", "%%%%%"), std::nullopt);
  EXPECT_EQ(formataspercount(1, ListKind::Pages, 1, "l", "P", "no placeholder"), std::nullopt);
  EXPECT_EQ(formattype(ListKind::Clones, "%s-%s", "l", "P", 9), "l-P");
  EXPECT_EQ(formattype(ListKind::Values, "%s-%s", "v", "v", 9), "9s-v");
  EXPECT_EQ(formattype(ListKind::Values, "%c", "v", "v", 65), std::nullopt);
}

TEST_F(FileListsTest, ClonesOfOnePageAndByTag) {
  page("site\\index.sd");
  page("site\\news.sd");
  clone(1, "site\\n\\one.sd", {{"tags", "news,"}});
  clone(0, "site\\home2.sd", {{"tags", "news,"}});
  clone(1, "site\\n\\two-b.sd", {{"tags", "sport,"}});
  clone(1, "site\\n\\index.sd", {{"tags", "a-b,"}});
  struct Case {
    const char* name;
    const char* expected;
  };
  const Case cases[] = {
      {"~1<%:%>", "<n/one:One><n/two-b:Two><n/index:Index>"},
      {"~0<%>", "<home2>"},
      {"~2<%>", ""},
      {"~##-news<%>", "<n/one><home2>"},
      {"~#1-NEWS<%>", "<n/one>"},
      {"~##-a-b<%>", "<n/index>"},
      {"~##-<%>", "<n/one><home2><n/two-b><n/index>"},
      {"~#x-news<%>", ""},
      {"~#news<%>", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(getfilelist(c.name), c.expected) << c.name;
  global("#news", "v");
  global("#x-news", "w");
  EXPECT_EQ(getfilelist("~#news<%>"), "<v>");
  EXPECT_EQ(getfilelist("~#x-news<%>"), "<w>");
}

TEST_F(FileListsTest, FindAllKinds) {
  page("site\\a.sd");
  clone(0, "site\\c.sd", {{"tags", "t,"}});
  global("~", "not used");
  global("k", "1");
  EXPECT_EQ(findallf("~").items, Slist{"site\\a.sd"});
  EXPECT_EQ(findallf("~").kind, ListKind::Pages);
  EXPECT_EQ(findallf("0").items, Slist{"site\\c.sd"});
  EXPECT_EQ(findallf("5").kind, ListKind::Clones);
  EXPECT_EQ(findallf("##-T").items, Slist{"site\\c.sd"});
  EXPECT_EQ(findallf("##-none").kind, ListKind::Clones);
  EXPECT_EQ(findallf("k").items, Slist{"1"});
  EXPECT_EQ(findallf("missing").kind, ListKind::Values);
  EXPECT_EQ(formatfilenames(4, ListKind::Values, 2, {"x", "y"}, "(%,%)", "S"), "S(4,x)(5,y)");
  EXPECT_EQ(formatfilenames(1, ListKind::Values, 5, {}, "%%%%%", "S"), "S");
}

TEST_F(FileListsTest, ValueListShowsTheClonesBindingsFirst) {
  global("c", "project");
  facts().g.pushfront(Global{"c", "clone"});
  EXPECT_EQ(getfilelist("~c<%>"), "<clone><project>");
}

TEST_F(FileListsTest, PathErrorsAreNotSwallowed) {
  page("site\\" + std::string(300, 'a') + "\\b.sd");
  try {
    getfilelist("~~<%>");
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.code(), err::kPathTooLong);
  }
}

}  // namespace
}  // namespace qs
