#include "files/handlers.h"

#include <gtest/gtest.h>

#include "files/disk.h"
#include "files/paths.h"
#include "files/testtree.h"
#include "foundation/error.h"
#include "foundation/factstore.h"

namespace qs {
namespace {

using testing::TempTree;

struct FieldCase {
  std::string text, key, sep;
  std::optional<std::string> field;
};

TEST(ParseFieldFromUrl, TakesTheTextAfterTheFirstKeyUpToTheSeparator) {
  const FieldCase cases[] = {
      {"https://h/x?file=a.sd&b=1", "file=", "&", "a.sd"},
      {"https://h/x?file=blog\\post.sd", "file=", "&", "blog\\post.sd"},  // no separator
      {"https://h/x?myfile=m.sd&file=f.sd", "file=", "&", "m.sd"},        // inside a longer key
      {"https://h/x?file=&a", "file=", "&", ""},
      {"https://h/x?file=a%20b+c.sd", "file=", "&", "a%20b+c.sd"},  // no decoding
      {"https://h/x?FILE=a.sd", "file=", "&", std::nullopt},        // case counts
      {"https://h/x", "file=", "&", std::nullopt},
      {"a;b;c", ";", ";", "b"},
  };
  for (const FieldCase& c : cases)
    EXPECT_EQ(parsefieldfromurl(c.text, c.key, c.sep), c.field) << c.text;
}

TEST(GetSearchString, GivesTheFrontOrTheWholeText) {
  EXPECT_EQ(getsearchstring("a.sd&b=1&c", "&"), "a.sd");
  EXPECT_EQ(getsearchstring("a.sd", "&"), "a.sd");
  EXPECT_EQ(getsearchstring("&x", "&"), "");
}

TEST(FileNameExtFileOrUrl, RemoteNamesUseTheirFileField) {
  FileOrUrl r = filenameext_file_or_url("https://h/get?file=docs\\intro.sd&v=2");
  EXPECT_TRUE(r.remote);
  EXPECT_EQ(r.base, "docs\\intro");
  EXPECT_EQ(r.ext, ".sd");

  // Without "file=" a remote name counts as a local path.
  FileOrUrl noField = filenameext_file_or_url("https://h/page.html");
  EXPECT_FALSE(noField.remote);
  EXPECT_EQ(noField.ext, ".html");

  FileOrUrl local = filenameext_file_or_url("C:\\qs\\projs\\site\\about.md");
  EXPECT_FALSE(local.remote);
  EXPECT_EQ(local.base, "C:\\qs\\projs\\site\\about");
  EXPECT_EQ(local.ext, ".md");

  // "http://" is not remote.
  EXPECT_FALSE(filenameext_file_or_url("http://h/x?file=a.sd").remote);
}

TEST(CacheFileName, FlattensFoldersAndDropsInnerExtensions) {
  EXPECT_EQ(cachefilename("docs\\intro", ".sd"), "cache\\docs_intro.sd");
  EXPECT_EQ(cachefilename("a.b", ".sd"), "cache\\a.sd");
  EXPECT_EQ(cachefilename("x", ".txt"), "cache\\x.txt");
}

TEST(FormatHandler, TemplatesWithAndWithoutTheExecutableFolder) {
  EXPECT_EQ(
      formathandler("%spandoc\\pandoc.exe -f markdown_strict-smart+raw_html -t html %s -o %s",
                    "C:\\qs\\", "C:\\qs\\projs\\site\\about.md", "C:\\qs\\projs\\site\\about.sd"),
      "C:\\qs\\pandoc\\pandoc.exe -f markdown_strict-smart+raw_html -t html "
      "C:\\qs\\projs\\site\\about.md -o C:\\qs\\projs\\site\\about.sd");
  // "%c" takes no text value: the "c" stays and the folder goes before it.
  EXPECT_EQ(formathandler("%curl\\curl.exe -K %s -o %s", "C:\\qs\\", "S.crl", "S.sd"),
            "C:\\qs\\curl\\curl.exe -K S.crl -o S.sd");
  EXPECT_EQ(formathandler("mytool %s %s", "C:\\qs\\", "in.x", "in.sd"), "mytool in.x in.sd");
  // Too few placeholders for the source and the output: the handler fails.
  EXPECT_EQ(formathandler("mytool %s", "C:\\qs\\", "in.x", "in.sd"), std::nullopt);
  EXPECT_EQ(formathandler("mytool", "C:\\qs\\", "in.x", "in.sd"), std::nullopt);
  // Too many placeholders is no error: the rest of the template is dropped.
  EXPECT_EQ(formathandler("t %s %s %s end", "C:\\qs\\", "a", "b"), "t a b ");
}

TEST(FormatHandler, ExecutableFolderTemplateErrorsAreNotCaught) {
  try {
    formathandler("%stool", "C:\\qs\\", "in.x", "in.sd");
    FAIL() << "no error raised";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.code(), err::kFormatSurplus);
  }
}

TEST(GetHandler, ProjectRecordsFirstThenSettingsExactExtension) {
  resetfacts();
  FactStore& f = facts();
  f.handler.append({".md", "first"});
  f.handler.append({".md", "second"});
  f.handler.append({".rst", "project rst"});
  f.ghandler.append({".md", "setting md"});
  f.ghandler.append({".rst", "setting rst"});
  f.ghandler.append({".adoc", "setting adoc"});
  EXPECT_EQ(gethandler(".md"), "first");
  EXPECT_EQ(gethandler(".rst"), "project rst");
  EXPECT_EQ(gethandler(".adoc"), "setting adoc");
  EXPECT_EQ(gethandler(".MD"), std::nullopt);
  EXPECT_EQ(gethandler(".tex"), std::nullopt);
}

TEST(IsNonHandlerExtension, ExactlyThePlainKinds) {
  for (const char* e : {".SD", ".TXT", ".HTML"}) EXPECT_TRUE(isnonhandlerextension(e)) << e;
  for (const char* e : {".sd", ".HTM", ".MD", "", "SD", ".SDX"})
    EXPECT_FALSE(isnonhandlerextension(e)) << e;
}

TEST(ChkDeleteFile, KeepsCacheFilesOnly) {
  TempTree t;
  t.write("cache/a.sd", "x");
  t.write("Cache/b.sd", "x");
  t.write("tmp123", "x");
  chkdeletefile(t.win("cache/a.sd"));
  chkdeletefile(t.win("Cache/b.sd"));  // "\Cache\" does not count
  chkdeletefile(t.win("tmp123"));
  chkdeletefile(t.win("missing"));  // no error
  EXPECT_TRUE(t.exists("cache/a.sd"));
  EXPECT_FALSE(t.exists("Cache/b.sd"));
  EXPECT_FALSE(t.exists("tmp123"));
}

TEST(GetCurlStr, AnExistingTargetIsServedWithoutAClient) {
  TempTree t;
  t.write("cache/page.sd", "cached\r\ntext");
  t.write("cache/empty.sd", "");
  EXPECT_EQ(getcurlstr("https://h/?file=page.sd", t.win("cache/page.sd")), "cached\ntext");
  EXPECT_EQ(getcurlstr("https://h/?file=empty.sd", t.win("cache/empty.sd")), "");
}

TEST(GetCurlStr, FailsQuietlyWithoutHttpsOrWithoutTheClient) {
  TempTree t;
  if (fileexists(exefolder() + "curl\\curl.exe"))
    GTEST_SKIP() << "an HTTP client lies beside the test program";
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(getcurlstr("https://h/?file=a.sd", t.win("cache/a.sd")), std::nullopt);
  EXPECT_EQ(getcurlstr("http://h/?file=a.sd", t.win("cache/a.sd")), std::nullopt);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_FALSE(t.exists("cache/a.sd"));
}

TEST(UrlFileStr, PlaceholderUnderCreateWithFoldersAndRecord) {
  TempTree t;
  facts().create.append({});
  std::string path = t.win("projs/site/inc/header.sd");
  EXPECT_EQ(url_file_str(false, "", ".sd", path),
            "This is just some placeholder text. Please replace this!");
  EXPECT_EQ(t.read("projs/site/inc/header.sd"),
            "This is just some placeholder text. Please replace this!");
  ASSERT_EQ(facts().placeholderfile.size(), 1u);
  EXPECT_EQ(*facts().placeholderfile.first(), path);

  // An existing file is read, not replaced.
  t.write("projs/site/real.sd", "real\r\n");
  EXPECT_EQ(url_file_str(false, "", ".sd", t.win("projs/site/real.sd")), "real\n");
  EXPECT_EQ(facts().placeholderfile.size(), 1u);
}

TEST(UrlFileStr, MissingFileWithoutCreateFails) {
  TempTree t;
  EXPECT_EQ(url_file_str(false, "", ".sd", t.win("nothing.sd")), std::nullopt);
  EXPECT_FALSE(t.exists("nothing.sd"));
  EXPECT_TRUE(facts().placeholderfile.empty());
}

TEST(WritePlaceholderInfo, ReportAndNotesEvenWhenQuiet) {
  resetfacts();
  FactStore& f = facts();
  f.quiet.append({});
  f.placeholderfile.append("C:\\qs\\projs\\site\\a.sd");
  f.placeholderfile.append("C:\\qs\\projs\\site\\b%s.sd");
  f.notes.append({"Remember 100%"});
  ::testing::internal::CaptureStdout();
  writeplaceholderinfo();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "\n*********\nIMPORTANT\n*********\nThe following files were created with "
            "placeholder content.\nPlease modify them as per your requirements and build "
            "again!\n\nC:\\qs\\projs\\site\\a.sd\nC:\\qs\\projs\\site\\b%s.sd\n\nRemember 100%");
  EXPECT_FALSE(oneplaceholderfile());
}

TEST(WritePlaceholderInfo, NothingWithoutPlaceholdersOrNotes) {
  resetfacts();
  ::testing::internal::CaptureStdout();
  writeplaceholderinfo();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
}

}  // namespace
}  // namespace qs
