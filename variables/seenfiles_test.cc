#include "variables/seenfiles.h"

#include <gtest/gtest.h>

#include "foundation/factstore.h"

namespace qs {
namespace {

TEST(SeenFiles, NewestWithExactlyThatExtension) {
  resetfacts();
  IndexedTexts& seen = facts().seenfile;
  EXPECT_EQ(getlastseenfilewithextension(".md"), std::nullopt);
  seen.pushfront("C:\\s\\old.md");
  seen.pushfront("C:\\s\\page.sd");
  seen.pushfront("C:\\s\\notes.md");
  seen.pushfront("C:\\s\\NOTES.MD");
  seen.pushfront("C:\\s.md\\plain");
  std::optional<SeenFile> md = getlastseenfilewithextension(".md");
  ASSERT_TRUE(md);
  EXPECT_EQ(md->file, "C:\\s\\notes.md");
  EXPECT_EQ(md->base, "notes");
  EXPECT_EQ(getlastseenfilewithextension(".MD")->base, "NOTES");
  EXPECT_EQ(getlastseenfilewithextension("")->file, "C:\\s.md\\plain");
  EXPECT_EQ(getlastseenfilewithextension(".txt"), std::nullopt);
  resetfacts();
}

}  // namespace
}  // namespace qs
