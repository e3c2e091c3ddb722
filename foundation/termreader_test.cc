#include "foundation/termreader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>

#include "foundation/error.h"
#include "foundation/factstore.h"

namespace qs {
namespace {

// The error number raised by f, or 0 when it raises none.
int errorof(const std::function<void()>& f) {
  try {
    f();
  } catch (const RuntimeError& e) {
    return e.code();
  }
  return 0;
}

class TermReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { resetfacts(); }
};

TEST_F(TermReaderTest, ProjectFactListWithEveryKind) {
  ProjectFactList list = readvalue<ProjectFactList>(
      "[root(\"site\"), g(\"title\",\"Home\"),directfiles([\"a.txt\", \"b.txt\"]),"
      "file(\"site\\\\index.sd\"), clone( -0x1 , \"copy.sd\" , [ g(\"x\",\"1\") , g(\"y\",\"\") ] "
      "),"
      "tags(0o17,\"t1 t2\"),handler(\".md\",\"cmd %\"),notes(\"line\\nnext\")]\r\n");
  ASSERT_EQ(list.size(), 8u);
  EXPECT_EQ(std::get<Root>(list[0]).folder, "site");
  EXPECT_EQ(std::get<Global>(list[1]), (Global{"title", "Home"}));
  EXPECT_EQ(std::get<DirectFiles>(list[2]).files, (Slist{"a.txt", "b.txt"}));
  EXPECT_EQ(std::get<File>(list[3]).page, "site\\index.sd");
  const Clone& clone = std::get<Clone>(list[4]);
  EXPECT_EQ(clone.index, -1);
  EXPECT_EQ(clone.page, "copy.sd");
  EXPECT_EQ(clone.bindings, (BindingList{{"x", "1"}, {"y", ""}}));
  EXPECT_EQ(std::get<Tags>(list[5]).index, 15);
  EXPECT_EQ(std::get<Tags>(list[5]).tags, "t1 t2");
  EXPECT_EQ(std::get<Handler>(list[6]).command, "cmd %");
  EXPECT_EQ(std::get<Notes>(list[7]).text, "line\nnext");
  EXPECT_TRUE(readvalue<ProjectFactList>(" [ ] ").empty());
}

TEST_F(TermReaderTest, InstructionListWithEveryAlternative) {
  InstructionList list = readvalue<InstructionList>(
      "[in(\"f.sd\",[g(\"a\",\"b\")]),p(\"n\",\"v\"),a(\"n\",\"w\"),i(\"x.sd\"),v(\"name\"),"
      "beg(\"t\"),end,end(),end( )]");
  ASSERT_EQ(list.size(), 9u);
  EXPECT_EQ(std::get<ins::In>(list[0]).file, "f.sd");
  EXPECT_EQ(std::get<ins::In>(list[0]).bindings, (BindingList{{"a", "b"}}));
  EXPECT_EQ(std::get<ins::P>(list[1]).value, "v");
  EXPECT_EQ(std::get<ins::A>(list[2]).value, "w");
  EXPECT_EQ(std::get<ins::I>(list[3]).file, "x.sd");
  EXPECT_EQ(std::get<ins::V>(list[4]).name, "name");
  EXPECT_EQ(std::get<ins::Beg>(list[5]).text, "t");
  for (size_t k = 6; k < 9; ++k) EXPECT_TRUE(std::holds_alternative<ins::End>(list[k])) << k;
}

TEST_F(TermReaderTest, BindingListAndSlist) {
  EXPECT_EQ(readvalue<BindingList>("[g(\"a\",\"1\"), g(\"b\",\"2\")]"),
            (BindingList{{"a", "1"}, {"b", "2"}}));
  EXPECT_EQ(readvalue<Slist>("[\"a\",\"\", \"c\" ]\t\n"), (Slist{"a", "", "c"}));
  EXPECT_EQ(errorof([] { readvalue<BindingList>("[p(\"a\",\"1\")]"); }), err::kUnknownName);
}

TEST_F(TermReaderTest, TextEscapes) {
  const std::pair<std::string, std::string> cases[] = {
      {"\"a\\nb\"", "a\nb"},      {"\"a\\rb\"", "a\rb"},
      {"\"a\\\\b\"", "a\\b"},     {"\"say \\\"hi\\\"\"", "say \"hi\""},
      {"\"a\\tb\"", "a\\tb"},     {"\"a\tb\"", "a\tb"},
      {"\"ends\\\\\"", "ends\\"}, {"\"\\x\\\"\"", "\\x\""},
      {"\"\\\\n\"", "\\n"},       {"\"\"", ""},
      {"  \"\xe9\"", "\xe9"},     {"\"a\\\nb\"", "a\\\nb"},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(readvalue<std::string>(text), value) << text;
}

TEST_F(TermReaderTest, Integers) {
  const std::pair<std::string, int32_t> cases[] = {
      {"5", 5},
      {"  -5", -5},
      {"0x1F", 31},
      {"0X1f", 31},
      {"0o17", 15},
      {"-0O17", -15},
      {"007", 7},
      {"2147483647", 2147483647},
      {"-2147483647", -2147483647},
      {"0x7FFFFFFF", 2147483647},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(readvalue<int32_t>(text), value) << text;
}

TEST_F(TermReaderTest, ReadingErrors) {
  struct Case {
    std::string text;
    int code;
  };
  const Case cases[] = {
      // integers
      {"[tags(-2147483648,\"x\")]", err::kIntegerRange},
      {"[tags(2147483648,\"x\")]", err::kIntegerRange},
      {"[tags(0xFFFFFFFF,\"x\")]", err::kIntegerRange},
      {"[tags(99999999999,\"x\")]", err::kIntegerRange},
      {"[tags(+1,\"x\")]", err::kNoInteger},
      {"[tags(\"1\",\"x\")]", err::kNoInteger},
      {"[tags(-,\"x\")]", err::kNoInteger},
      {"[tags(0x,\"x\")]", err::kBadFieldSep},
      {"[tags(1 \"x\")]", err::kBadFieldSep},
      // texts
      {"[root(a)]", err::kNoQuote},
      {"[root(\"a)]", err::kUnterminatedText},
      {"[root(\"a\\\")]", err::kUnterminatedText},
      {"[root(\"a\\", err::kUnterminatedText},
      // lists
      {"root(\"a\")", err::kNoBracket},
      {"", err::kNoBracket},
      {"\t[]", err::kNoBracket},
      {"[clone(0,\"p\",g(\"a\",\"b\"))]", err::kNoBracket},
      {"[root(\"a\") file(\"b\")]", err::kBadListSep},
      {"[root(\"a\")\t]", err::kBadListSep},
      {"[root(\"a\")", err::kBadListSep},
      // names
      {"[root(\"a\"),]", err::kUnknownName},
      {"[ , ]", err::kUnknownName},
      {"[root (\"a\")]", err::kUnknownName},
      {"[\troot(\"a\")]", err::kUnknownName},
      {"[root(\"a\"),\tfile(\"b\")]", err::kUnknownName},
      {"[root(\"a\"),\nfile(\"b\")]", err::kUnknownName},
      {"[Root(\"a\")]", err::kUnknownName},
      {"[quiet]", err::kUnknownName},
      // parentheses
      {"[root]", err::kNoParen},
      {"[root,file(\"b\")]", err::kNoParen},
      {"[root(\"a\"]", err::kBadFieldSep},
      {"[root(\"a\",\"b\")]", err::kBadFieldSep},
      {"[g(\"a\")]", err::kBadFieldSep},
      // left-over text
      {"[root(\"a\")] x", err::kTextLeftOver},
      {"[]]", err::kTextLeftOver},
  };
  for (const Case& c : cases)
    EXPECT_EQ(errorof([&] { readvalue<ProjectFactList>(c.text); }), c.code) << c.text;
}

TEST_F(TermReaderTest, FieldlessAlternatives) {
  struct Case {
    std::string text;
    int code;
  };
  const Case cases[] = {
      {"[end]", 0},
      {"[end()]", 0},
      {"[end(  ), end]", 0},
      {"[end ]", err::kUnknownName},
      {"[end ,end]", err::kUnknownName},
      {"[end(]", err::kBadFieldSep},
      {"[end(x)]", err::kBadFieldSep},
      {"[end)]", err::kBadListSep},
      {"[end() ]\n", 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(errorof([&] { readvalue<InstructionList>(c.text); }), c.code) << c.text;
}

// Each test gets its own folder for settings files; paths are handed to the
// reader in the program's internal form (drive C: is the host's root).
class LoadSettingsTest : public TermReaderTest {
 protected:
  void SetUp() override {
    TermReaderTest::SetUp();
    folder_ = std::filesystem::temp_directory_path() /
              ("qs-termreader-" + std::to_string(std::random_device{}()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // Writes the file and gives its internal path.
  std::string write(const std::string& content) {
    std::filesystem::path p = folder_ / "quernstow.cfg";
    std::ofstream(p, std::ios::binary) << content;
    // A POSIX host path becomes drive C:; a Windows one has its drive.
    std::string internal = p.string();
    for (char& ch : internal)
      if (ch == '/') ch = '\\';
    return internal.starts_with('\\') ? "C:" + internal : internal;
  }

  int load(const std::string& content) {
    std::string name = write(content);
    return errorof([&] { loadsettingsrecords(name); });
  }

  std::filesystem::path folder_;
};

TEST_F(LoadSettingsTest, EveryKindAndALastLineWithoutLineFeed) {
  ASSERT_EQ(load("quiet\r\ncreate()\r\nfragmentfolder(\"projs\\\\\")\nbuildfolder(\"build\\\\\")\n"
                 "delimiters(\"[[\",\"]]\")\nmark(\"<!--%-->\",\"<!--end-->\")\n"
                 "ghandler(\".md\",\"a\")\nghandler(\".rst\",\"b\")\noutput(\".html\")"),
            0);
  FactStore& f = facts();
  EXPECT_TRUE(f.quiet.exists());
  EXPECT_TRUE(f.create.exists());
  EXPECT_EQ(f.fragmentfolder.first()->folder, "projs\\");
  EXPECT_EQ(f.buildfolder.first()->folder, "build\\");
  EXPECT_EQ(f.delimiters.first()->close, "]]");
  EXPECT_EQ(f.mark.first()->begin, "<!--%-->");
  ASSERT_EQ(f.ghandler.size(), 2u);
  EXPECT_EQ(f.ghandler.begin()->extension, ".md");
  EXPECT_EQ(std::next(f.ghandler.begin())->command, "b");
  EXPECT_EQ(f.output.first()->extension, ".html");
}

TEST_F(LoadSettingsTest, CarriageReturnsAreDroppedEverywhere) {
  ASSERT_EQ(load("output(\".h\rtm\")\r\n"), 0);
  EXPECT_EQ(facts().output.first()->extension, ".htm");
}

TEST_F(LoadSettingsTest, TextAfterTheRecordIsIgnored) {
  ASSERT_EQ(load("quiet() and more\noutput(\".htm\") # note\n"), 0);
  EXPECT_TRUE(facts().quiet.exists());
  EXPECT_EQ(facts().output.first()->extension, ".htm");
}

TEST_F(LoadSettingsTest, FailingLineKeepsEarlierRecords) {
  struct Case {
    std::string content;
    int code;
  };
  const Case cases[] = {
      {"create\n\n", err::kUnknownName},
      {"create\n   \n", err::kUnknownName},
      {"create\nquiet  \n", err::kUnknownName},
      {"create\n\tquiet\n", err::kUnknownName},
      {"create\nQuiet\n", err::kUnknownName},
      {"create\noutput\n", err::kNoParen},
      {"create\noutput(\".htm)\n", err::kUnterminatedText},
      {"create\ncreate\n", err::kSecondRecord},
  };
  for (const Case& c : cases) {
    resetfacts();
    EXPECT_EQ(load(c.content), c.code) << c.content;
    EXPECT_TRUE(facts().create.exists()) << c.content;
  }
}

TEST_F(LoadSettingsTest, SecondAtMostOneRecordKeepsTheFirst) {
  EXPECT_EQ(load("output(\".htm\")\noutput(\".php\")\nquiet\n"), err::kSecondRecord);
  EXPECT_EQ(facts().output.first()->extension, ".htm");
  EXPECT_FALSE(facts().quiet.exists());
}

TEST_F(LoadSettingsTest, EmptyFileStoresNothing) {
  EXPECT_EQ(load(""), 0);
  EXPECT_FALSE(facts().quiet.exists());
  EXPECT_TRUE(facts().ghandler.empty());
}

TEST_F(LoadSettingsTest, MissingFileRaisesASystemError) {
  std::string name = write("");
  std::filesystem::remove(folder_ / "quernstow.cfg");
  EXPECT_GT(errorof([&] { loadsettingsrecords(name); }), err::kSystemBase);
}

}  // namespace
}  // namespace qs
