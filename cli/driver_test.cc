#include "cli/driver.h"

#include <gtest/gtest.h>

#include "foundation/factstore.h"

namespace qs {
namespace {

constexpr const char* kBanner =
    "Quernstow static page builder. Version: 0.5.8\n"
    "Assembles web pages from fragment files into the build folder.\n"
    "Run it without arguments for the usage text.\n\n";

TEST(CommandLineText, SkipsTheProgramNameAndTheBlanksAroundIt) {
  struct Case {
    std::string full, text;
  };
  const Case cases[] = {
      {"quernstow my.txt", "my.txt"},
      {"  \tquernstow \t my.txt  ", "my.txt  "},  // the end stays as it is
      {"\"C:\\Program Files\\qs.exe\"  \"my site.txt\"", "\"my site.txt\""},
      {"\"C:\\a b\\qs.exe\"x.txt", "x.txt"},  // the quote ends the name
      {"\"unterminated name", ""},
      {"qs\t-q x.txt", "x.txt"},  // a tab does not end an unquoted name
      {"qs", ""},
      {"", ""},
      {"qs clean  a\"b\" c", "clean  a\"b\" c"},
  };
  for (const Case& c : cases) EXPECT_EQ(commandlinetext(c.full), c.text) << c.full;
}

class Options : public ::testing::Test {
 protected:
  void SetUp() override { resetfacts(); }
};

TEST_F(Options, QuietIsRemovedEverywhereAndSilencesTheBanner) {
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(checkifquiet("-q my-quiet.txt -q"), " myuiet.txt ");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_TRUE(facts().quiet.exists());
}

TEST_F(Options, WithoutQuietTheBannerIsPrinted) {
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(checkifquiet("-Q x.txt"), "-Q x.txt");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), kBanner);
  EXPECT_FALSE(facts().quiet.exists());
}

TEST_F(Options, ASecondQuietOrCreateIsRefusedSilently) {
  facts().quiet.append({});
  facts().create.append({});
  EXPECT_EQ(checkifquiet("-q a"), " a");
  EXPECT_EQ(checkifcreate("-r a"), " a");
  EXPECT_TRUE(facts().quiet.exists());
  EXPECT_TRUE(facts().create.exists());
}

TEST_F(Options, CreateAndHelpAreTakenOutInsideNames) {
  EXPECT_EQ(checkifcreate("my-report.txt"), "myeport.txt");
  EXPECT_TRUE(facts().create.exists());
  EXPECT_TRUE(hlp(0));
  EXPECT_EQ(checkifhelp("my-home.txt"), "myome.txt");
  EXPECT_TRUE(hlp(1));
  EXPECT_FALSE(hlp(0));
}

TEST_F(Options, NoOptionLeavesTheTextAlone) {
  EXPECT_EQ(checkifcreate("a - r.txt"), "a - r.txt");
  EXPECT_EQ(checkifhelp("a-H.txt"), "a-H.txt");
  EXPECT_FALSE(facts().create.exists());
  EXPECT_TRUE(hlp(0));
}

TEST_F(Options, NotesAreWrittenAlsoWhenQuiet) {
  facts().quiet.append({});
  ::testing::internal::CaptureStdout();
  writenotes();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "Notes(...) were not present in this particular Project File. Hmm...we can't provide "
            "more help!");
  facts().notes.append({"line one\nline two"});
  ::testing::internal::CaptureStdout();
  writenotes();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "NOTES:\nline one\nline two");
}

TEST(UnexpectedError, ReportNamesUnitPositionAndMessage) {
  EXPECT_EQ(unexpectederrorreport(RuntimeError(1041, "factstore", 1)),
            "\nPROGRAM ERROR. Module:factstore Pos:1\n Message:A record of this kind exists "
            "already and only one is allowed\n");
  EXPECT_EQ(unexpectederrorreport(RuntimeError(9999, "x", -3)),
            "\nPROGRAM ERROR. Module:x Pos:-3\n Message:Error 9999\n");
}

}  // namespace
}  // namespace qs
