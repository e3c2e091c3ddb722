#include "variables/tags.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "foundation/factstore.h"
#include "foundation/text.h"

namespace qs {
namespace {

std::string entry(const std::string& link, const std::string& tags) {
  return "{\"link\":\"" + link + "\",\"tags\":\"" + tags + "\"},\n";
}

class TagsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetfacts();
    facts().root.append(Root{"site\\"});
    facts().output.append(Output{".html"});
  }
  void page(const std::string& name) { facts().file.append(File{name}); }
  void clone(int32_t index, const std::string& name, BindingList bindings = {}) {
    facts().clone.append(Clone{index, name, std::move(bindings)});
  }
  void tags(int32_t index, const std::string& text) { facts().tags.append(Tags{index, text}); }
  // The collection as "@ALL" makes it: both records reset first.
  std::string all() {
    facts().ct.set("");
    facts().ctag.set(0);
    collectanytag(kAllClones);
    return facts().ct.get();
  }
  // The collection of one item, as "@N" makes it.
  std::string one(int32_t n) {
    facts().ct.set("");
    collectanytag(n);
    return facts().ct.get();
  }
};

TEST_F(TagsTest, MatchingNeedsACommaAndIgnoresCaseButNotSpaces) {
  struct Case {
    const char* tags;
    const char* tag;
    bool matches;
  };
  const Case cases[] = {
      {"news", "news", false},
      {"news,", "news", true},
      {",news", "news", true},
      {"red, blue", "red", true},
      {"red, blue", "blue", false},
      {"red, blue", " blue", true},
      {"Red,Blue", "blue", true},
      {"Red,Blue", "BLUE", true},
      {"red,news", "ne", true},
      {"red,news", "", true},
      {"red", "", false},
      {"", "", false},
      {"sport,news", "sport", true},
      {"xsport,", "sport", false},
      {"\xe9t\xe9,", "\xc9T\xc9", true},
  };
  for (const Case& c : cases) {
    BindingList b{{"tags", c.tags}};
    EXPECT_EQ(isintaglist(uppercase(c.tag), b), c.matches) << c.tags << " / " << c.tag;
  }
  EXPECT_TRUE(commabeforeorafter("RED,NEWS", "NE"));
  EXPECT_FALSE(commabeforeorafter("red,", "RED"));  // both sides come upper-cased
}

TEST_F(TagsTest, EveryTagsBindingCountsAndOnlyThatName) {
  BindingList two{{"title", "news,"}, {"Tags", "news,"}, {"tags", "red,"}, {"tags", "news,"}};
  EXPECT_TRUE(isintaglist("NEWS", two));
  EXPECT_TRUE(isintaglist("RED", two));
  BindingList other{{"title", "news,"}, {"Tags", "news,"}};
  EXPECT_FALSE(isintaglist("NEWS", other));
}

TEST_F(TagsTest, SelectionByTagAmongAllClonesOrOnePage) {
  clone(0, "site\\a.sd", {{"tags", "news,"}});
  clone(1, "site\\b.sd", {{"tags", "sport,News,"}});
  clone(0, "site\\c.sd", {{"tags", "sport,"}});
  clone(1, "site\\d.sd", {{"tags", "news"}});
  EXPECT_EQ(tagforallcloneorspecificclone("#", "news"), (Slist{"site\\a.sd", "site\\b.sd"}));
  EXPECT_EQ(tagforallcloneorspecificclone("1", "NEWS"), (Slist{"site\\b.sd"}));
  EXPECT_EQ(tagforallcloneorspecificclone(" 0x0 ", "sport"), (Slist{"site\\c.sd"}));
  EXPECT_EQ(tagforallcloneorspecificclone("#", ""),
            (Slist{"site\\a.sd", "site\\b.sd", "site\\c.sd"}));
  EXPECT_EQ(tagforallcloneorspecificclone("2", "news"), Slist{});
  EXPECT_EQ(tagforallcloneorspecificclone("x", "news"), std::nullopt);
  EXPECT_EQ(tagforallcloneorspecificclone("", "news"), std::nullopt);
}

TEST_F(TagsTest, LinkReplacesTheExtensionBelowTheRoot) {
  EXPECT_EQ(filenametolink("site\\blog\\post.sd"), "/blog/post.html");
  EXPECT_EQ(filenametolink("site\\about"), "/about.html");
  EXPECT_EQ(filenametolink("site\\doc.md"), "/doc.html");
  EXPECT_EQ(filenametolink("other\\post.sd"), std::nullopt);
  EXPECT_EQ(filenametolink("SITE\\post.sd"), std::nullopt);
  facts().output.clear();
  facts().output.append(Output{".htm"});
  EXPECT_EQ(filenametolink("site\\a\\b.sd"), "/a/b.htm");
}

TEST_F(TagsTest, AllClonesInReverseOrderWithBindingOrRecord) {
  clone(0, "site\\p\\a.sd", {{"tags", "red,blue"}});
  clone(0, "site\\p\\b.sd");
  tags(1, "green,");
  EXPECT_EQ(all(), entry("/p/b.html", "green,") + entry("/p/a.html", "red,blue"));
  EXPECT_EQ(facts().ctag.get(), 2);
}

TEST_F(TagsTest, AllClonesLeavesOutPagesUntaggedAndOutsideClonesButCountsThem) {
  page("site\\index.sd");
  tags(-1, "home,");
  clone(0, "elsewhere\\x.sd", {{"tags", "x,"}});
  clone(0, "site\\none.sd");
  clone(0, "site\\two.sd", {{"tags", "first,"}, {"tags", "second,"}});
  tags(3, "late,");
  tags(3, "later,");
  clone(0, "site\\rec.sd");
  EXPECT_EQ(all(), entry("/rec.html", "late,") + entry("/two.html", "first,"));
  EXPECT_EQ(facts().ctag.get(), 4);
  resetfacts();
  facts().root.append(Root{"site\\"});
  EXPECT_EQ(all(), "");
}

TEST_F(TagsTest, AllClonesCountsOnFromThePositionLeftInCtag) {
  clone(0, "site\\a.sd");
  clone(0, "site\\b.sd");
  tags(0, "zero,");
  tags(1, "one,");
  tags(2, "two,");
  facts().ct.set("old\n");
  facts().ctag.set(1);
  collectanytag(kAllClones);
  EXPECT_EQ(facts().ct.get(), entry("/b.html", "two,") + entry("/a.html", "one,") + "old\n");
  EXPECT_EQ(facts().ctag.get(), 3);
}

TEST_F(TagsTest, OneItemByNumber) {
  page("site\\index.sd");
  page("site\\news\\index.sd");
  clone(0, "site\\a.sd", {{"tags", "own,"}});
  clone(1, "site\\b.sd", {{"tags", "binding,"}});
  tags(1, "record,");
  tags(-2, "second page,");
  tags(-2, "ignored,");
  EXPECT_EQ(one(1), entry("/b.html", "binding,"));
  EXPECT_EQ(one(0), entry("/a.html", "own,"));
  EXPECT_EQ(one(-2), entry("/news/index.html", "second page,"));
  EXPECT_EQ(one(-1), "");  // no tags record for the first page
  EXPECT_EQ(one(-3), "");  // no third page
  EXPECT_EQ(one(2), "");   // no third clone
  EXPECT_EQ(one(1000000), "");
  EXPECT_EQ(one(INT32_MIN), "");
  facts().ct.set("rest");
  collectanytag(0);
  EXPECT_EQ(facts().ct.get(), entry("/a.html", "own,") + "rest");
}

TEST_F(TagsTest, OneCloneTakesTheTagsOfTheFirstCloneOfItsName) {
  clone(0, "site\\same.sd");
  clone(1, "site\\same.sd", {{"tags", "twin,"}});
  tags(0, "record,");
  EXPECT_EQ(one(0), entry("/same.html", "twin,"));
  EXPECT_EQ(gettagfromfvortags(0, facts().clone.first()->bindings), "record,");
}

TEST_F(TagsTest, TagsTextIsCopiedUnescaped) {
  clone(0, "site\\q.sd", {{"tags", "a\"b\\c,%s"}});
  EXPECT_EQ(all(), entry("/q.html", "a\"b\\c,%s"));
}

}  // namespace
}  // namespace qs
