#include "cli/settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "files/testtree.h"
#include "foundation/factstore.h"

namespace qs {
namespace {

using qs::testing::TempTree;

/// Runs in a fresh working folder. The cache beside the test program is
/// created and emptied like the program's own.
class Settings : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = std::filesystem::current_path();
    std::filesystem::current_path(t.host(""));
  }
  void TearDown() override { std::filesystem::current_path(saved_); }

  TempTree t;
  std::filesystem::path saved_;
};

void expectdefaults(const std::string& output) {
  const FactStore& f = facts();
  EXPECT_EQ(f.fragmentfolder.first()->folder, "projs\\");
  EXPECT_EQ(f.buildfolder.first()->folder, "build\\");
  EXPECT_EQ(f.delimiters.first()->open, "[[");
  EXPECT_EQ(f.delimiters.first()->close, "]]");
  EXPECT_EQ(f.mark.first()->begin, "{{range %s }}");
  EXPECT_EQ(f.mark.first()->end, "{{end}}");
  EXPECT_EQ(f.output.first()->extension, output);
  ASSERT_EQ(f.handler.size(), 2u);
  EXPECT_EQ(f.handler.first()->extension, ".md");
  EXPECT_EQ((++f.handler.begin())->extension, ".crl");
  EXPECT_EQ((++f.handler.begin())->command, "%curl\\curl.exe -K %s -o %s");
}

TEST_F(Settings, WithoutAFileEverySettingTakesItsDefault) {
  facts().quiet.append({});  // settings of an earlier load are replaced
  EXPECT_TRUE(dodefaults());
  expectdefaults(".html");
  EXPECT_FALSE(facts().quiet.exists());
  EXPECT_FALSE(facts().create.exists());
}

TEST_F(Settings, AFileGivesSomeSettingsAndTheDefaultsTheRest) {
  t.write("quernstow.cfg", "output(\".htm\")\r\n  quiet() trailing text is ignored\n");
  EXPECT_TRUE(dodefaults());
  expectdefaults(".htm");
  EXPECT_TRUE(facts().quiet.exists());
}

TEST_F(Settings, AnUnreadableFileKeepsTheEarlierLinesAndAddsNoDefault) {
  const char* cases[] = {
      "quiet\n\nfragmentfolder(\"p\\\\\")",     // an empty line
      "quiet\noutput(\".a\")\noutput(\".b\")",  // a second output
      "quiet\nnosuchsetting(\"x\")",
      "quiet\n\n",  // an empty last line
  };
  for (const char* c : cases) {
    resetfacts();
    t.write("quernstow.cfg", c);
    EXPECT_FALSE(dodefaults()) << c;
    EXPECT_TRUE(facts().quiet.exists()) << c;
    EXPECT_FALSE(facts().fragmentfolder.exists()) << c;
    EXPECT_TRUE(facts().handler.empty()) << c;
  }
}

TEST_F(Settings, GhandlersAreKeptBesideTheCompiledInHandlers) {
  t.write("quernstow.cfg", "ghandler(\".md\",\"other %s %s\")\nghandler(\".rst\",\"r %s %s\")\n");
  EXPECT_TRUE(dodefaults());
  EXPECT_EQ(facts().ghandler.size(), 2u);
  EXPECT_EQ(facts().handler.size(), 2u);
}

}  // namespace
}  // namespace qs
