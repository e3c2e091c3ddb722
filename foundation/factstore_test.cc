#include "foundation/factstore.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "foundation/error.h"

namespace qs {
namespace {

class FactStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { resetfacts(); }
};

int errorof(const std::function<void()>& f) {
  try {
    f();
  } catch (const RuntimeError& e) {
    return e.code();
  }
  return 0;
}

std::vector<std::string> names(const Many<Global>& kind) {
  std::vector<std::string> out;
  for (const Global& r : kind) out.push_back(r.name + "=" + r.value);
  return out;
}

TEST_F(FactStoreTest, StartsWithTheInitialRecords) {
  FactStore& f = facts();
  EXPECT_EQ(f.currproj.get(), "");
  EXPECT_EQ(f.isclonedfrom.get().clone, "");
  EXPECT_EQ(f.isclonedfrom.get().page, "");
  EXPECT_EQ(f.foundpos.get(), -1);
  EXPECT_EQ(f.accumulator.get(), "");
  EXPECT_EQ(f.ct.get(), "");
  EXPECT_EQ(f.ctag.get(), 0);
  EXPECT_EQ(f.hlp.get(), 0);
  EXPECT_FALSE(f.root.exists());
  EXPECT_EQ(f.root.first(), nullptr);
  EXPECT_TRUE(f.g.empty());
  EXPECT_EQ(f.g.first(), nullptr);
  EXPECT_FALSE(f.g.removefirst());
  EXPECT_FALSE(f.notes.removefirst());
  EXPECT_TRUE(f.file.begin() == f.file.end());
}

TEST_F(FactStoreTest, SecondAtMostOneRecordRaisesAndKeepsTheFirst) {
  FactStore& f = facts();
  f.root.append(Root{"first"});
  EXPECT_EQ(errorof([&] { f.root.append(Root{"second"}); }), err::kSecondRecord);
  EXPECT_EQ(errorof([&] { f.root.pushfront(Root{"third"}); }), err::kSecondRecord);
  EXPECT_EQ(f.root.first()->folder, "first");
  // Through the group dispatch, as the project loader appends.
  EXPECT_EQ(errorof([&] { f.append(ProjectRecord{Root{"x"}}); }), err::kSecondRecord);
  f.append(ProjectRecord{Notes{"n"}});
  EXPECT_EQ(errorof([&] { f.append(ProjectRecord{Notes{"m"}}); }), err::kSecondRecord);
  EXPECT_EQ(f.notes.first()->text, "n");
  f.append(SettingsRecord{Quiet{}});
  EXPECT_EQ(errorof([&] { f.append(SettingsRecord{Quiet{}}); }), err::kSecondRecord);
  // Removal makes room again.
  EXPECT_TRUE(f.root.removefirst());
  f.root.append(Root{"again"});
  EXPECT_EQ(f.root.first()->folder, "again");
}

TEST_F(FactStoreTest, ExactlyOneReplacesItsValue) {
  FactStore& f = facts();
  f.hlp.set(1);
  EXPECT_EQ(f.hlp.get(), 1);
  f.accumulator.set("a");
  f.accumulator.get() += "b";
  EXPECT_EQ(f.accumulator.get(), "ab");
  f.isclonedfrom.set({"c.sd", "p.sd"});
  EXPECT_EQ(f.isclonedfrom.get().page, "p.sd");
}

TEST_F(FactStoreTest, ManyKeepsStoredOrderWithFrontInsertion) {
  FactStore& f = facts();
  f.append(ProjectRecord{Global{"title", "project"}});
  f.append(ProjectRecord{Global{"x", "1"}});
  f.g.pushfront(Global{"title", "clone"});
  f.g.pushfront(Global{"y", "2"});
  EXPECT_EQ(names(f.g), (std::vector<std::string>{"y=2", "title=clone", "title=project", "x=1"}));
  const Global* found = f.g.find([](const Global& r) { return r.name == "title"; });
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->value, "clone");
  EXPECT_EQ(f.g.first()->name, "y");
}

TEST_F(FactStoreTest, RemoveFirstMatchingTakesOnlyTheFrontMatch) {
  FactStore& f = facts();
  for (const char* v : {"1", "2", "3"}) f.g.append(Global{"a", v});
  f.g.append(Global{"b", "4"});
  EXPECT_TRUE(f.g.removefirst([](const Global& r) { return r.name == "a"; }));
  EXPECT_EQ(names(f.g), (std::vector<std::string>{"a=2", "a=3", "b=4"}));
  EXPECT_FALSE(f.g.removefirst([](const Global& r) { return r.name == "c"; }));
  EXPECT_TRUE(f.g.removefirst());
  EXPECT_EQ(names(f.g), (std::vector<std::string>{"a=3", "b=4"}));
}

// Removing the record a scan stands on lets the scan go on with the record
// that followed it; records appended during the scan are reached too.
TEST_F(FactStoreTest, RemovalDuringAScan) {
  FactStore& f = facts();
  for (const char* v : {"1", "2", "3", "4"}) f.tmpg.append(Global{"v", v});
  std::string visited;
  for (auto it = f.tmpg.begin(); it != f.tmpg.end();) {
    visited += it->value;
    if (it->value == "2") f.tmpg.append(Global{"v", "5"});
    it = (it->value == "1" || it->value == "3") ? f.tmpg.erase(it) : std::next(it);
  }
  EXPECT_EQ(visited, "12345");
  EXPECT_EQ(names(f.tmpg), (std::vector<std::string>{"v=2", "v=4", "v=5"}));
}

TEST_F(FactStoreTest, IndexedTextsMembership) {
  IndexedTexts& seen = facts().seenfile;
  seen.pushfront("C:\\a.sd");
  seen.pushfront("C:\\b.sd");
  seen.append("C:\\a.sd");
  EXPECT_TRUE(seen.contains("C:\\a.sd"));
  EXPECT_FALSE(seen.contains("c:\\a.sd"));
  EXPECT_EQ(*seen.first(), "C:\\b.sd");
  EXPECT_EQ(seen.size(), 3u);
  seen.clear();
  EXPECT_TRUE(seen.empty());
  EXPECT_FALSE(seen.contains("C:\\b.sd"));
}

TEST_F(FactStoreTest, ClearSettingsTouchesOnlySettingsKinds) {
  FactStore& f = facts();
  const SettingsRecord settings[] = {Quiet{},
                                     Create{},
                                     FragmentFolder{"projs\\"},
                                     BuildFolder{"build\\"},
                                     Delimiters{"[[", "]]"},
                                     Mark{"<", ">"},
                                     GHandler{".md", "cmd"},
                                     GHandler{".rst", "cmd"},
                                     Output{".html"}};
  for (const SettingsRecord& r : settings) f.append(r);
  f.root.append(Root{"site"});
  f.handler.append(Handler{".md", "p"});
  f.file.append(File{"site\\index.sd"});
  f.un.append("C:\\x.sd");
  f.hlp.set(1);

  f.clearsettings();
  EXPECT_FALSE(f.quiet.exists());
  EXPECT_FALSE(f.create.exists());
  EXPECT_FALSE(f.fragmentfolder.exists());
  EXPECT_FALSE(f.buildfolder.exists());
  EXPECT_FALSE(f.delimiters.exists());
  EXPECT_FALSE(f.mark.exists());
  EXPECT_TRUE(f.ghandler.empty());
  EXPECT_FALSE(f.output.exists());
  EXPECT_EQ(f.root.first()->folder, "site");
  EXPECT_EQ(f.handler.size(), 1u);
  EXPECT_EQ(f.file.size(), 1u);
  EXPECT_EQ(f.un.size(), 1u);
  EXPECT_EQ(f.hlp.get(), 1);
  // The group can be loaded again after clearing.
  for (const SettingsRecord& r : settings) f.append(r);
  EXPECT_EQ(f.ghandler.size(), 2u);
}

TEST_F(FactStoreTest, ProjectRecordsGoToTheirKinds) {
  FactStore& f = facts();
  const ProjectRecord records[] = {Root{"r"},     Global{"n", "v"},    DirectFiles{{"a"}},
                                   File{"f1"},    File{"f2"},          Clone{0, "c", {{"x", "y"}}},
                                   Tags{-1, "t"}, Handler{".md", "h"}, Notes{"text"}};
  for (const ProjectRecord& r : records) f.append(r);
  EXPECT_EQ(f.root.first()->folder, "r");
  EXPECT_EQ(f.g.first()->value, "v");
  EXPECT_EQ(f.directfiles.first()->files, Slist{"a"});
  ASSERT_EQ(f.file.size(), 2u);
  EXPECT_EQ(std::next(f.file.begin())->page, "f2");
  EXPECT_EQ(f.clone.first()->bindings, (BindingList{{"x", "y"}}));
  EXPECT_EQ(f.tags.first()->index, -1);
  EXPECT_EQ(f.handler.first()->command, "h");
  EXPECT_EQ(f.notes.first()->text, "text");
  EXPECT_TRUE(f.ghandler.empty());
}

TEST_F(FactStoreTest, ResetGivesAFreshStore) {
  facts().root.append(Root{"site"});
  facts().ctag.set(5);
  resetfacts();
  EXPECT_FALSE(facts().root.exists());
  EXPECT_EQ(facts().ctag.get(), 0);
}

}  // namespace
}  // namespace qs
