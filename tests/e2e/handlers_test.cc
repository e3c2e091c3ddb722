// Converters, remote sources, the cache and placeholders, end to end: the
// real pandoc and curl where the host has them, the test helper where the
// exact command lines matter.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/e2e/httpsserver.h"
#include "tests/e2e/site.h"

namespace qs::e2e {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kNotFound =
    "Either the file does not exist or I could not find the handler for:\n";
constexpr std::string_view kPlaceholder =
    "This is just some placeholder text. Please replace this!";

/// A text in the project and instruction syntax: quoted, backslashes
/// doubled.
std::string q(std::string_view s) {
  std::string out = "\"";
  for (char c : s) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return out + "\"";
}

/// A path as a child program receives it: the host form on POSIX (the
/// platform turns path arguments around), the program's form when emulated.
std::string argpath(const Site& s, std::string_view rel) {
  return emulated() ? s.win(rel) : s.host(rel);
}

/// Runs in the folder "work" (project file there), so that source names
/// resolve beside the executable and show as absolute paths.
class HandlerSite : public ::testing::Test {
 protected:
  void project(std::string_view records) const { s.write("work/site.txt", records); }
  RunResult build(std::string_view options = "") const {
    return s.run(std::string(options) + " site.txt", "", "work");
  }
  void linkhost(std::string_view rel, std::string_view target) const {
    fs::create_symlink(target, s.host(rel));
  }
  Site s;
};

TEST_F(HandlerSite, MarkdownFragmentAndPageThroughPandoc) {
  if (!hostprogram("/usr/bin/pandoc"))
    GTEST_SKIP() << "needs /usr/bin/pandoc on the host (not under an emulator)";
  linkhost("pandoc/pandoc.exe", "/usr/bin/pandoc");
  project("root(\"mysite\"),file(" + q("mysite\\index.sd") + "),file(" + q("mysite\\notes.md") +
          ")");
  s.write("projs/mysite/index.sd", "<body>[[i(" + q("mysite\\about.md") + ")]]</body>");
  s.write("projs/mysite/about.md", "# About\n\nSome *text* and <b>raw</b> \"quotes\".\n");
  s.write("projs/mysite/notes.md", "Notes\n");
  RunResult r = build();
  EXPECT_EQ(r.status, 0);
  std::string cmd = s.win("pandoc\\pandoc.exe") + " -f markdown_strict-smart+raw_html -t html ";
  EXPECT_NE(r.out.find(cmd + s.win("projs/mysite/about.md") + " -o " +
                       s.win("projs/mysite/about.sd") + "\n"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(s.read("build/mysite/index.html"),
            "<body><h1>About</h1>\r\n<p>Some <em>text</em> and <b>raw</b> \"quotes\".</p>\r\n"
            "</body>");
  EXPECT_EQ(s.read("build/mysite/notes.html"), "<p>Notes</p>\r\n");
  // The converted files stay beside their sources.
  EXPECT_TRUE(s.exists("projs/mysite/about.sd"));
  EXPECT_TRUE(s.exists("projs/mysite/notes.sd"));
}

TEST_F(HandlerSite, ConverterCommandLineAndItsOutput) {
  s.installhelper("pandoc/pandoc.exe");
  project("root(\"mysite\"),file(" + q("mysite\\index.sd") + ")");
  s.write("projs/mysite/index.sd", "[[i(" + q("mysite\\about.md") + ")]]");
  s.write("projs/mysite/about.md", "# About\n");
  s.touch("projs/mysite/index.sd", -10);
  RunResult r = build("-q");
  EXPECT_EQ(r.out, "");
  std::string line = "-f markdown_strict-smart+raw_html -t html " +
                     argpath(s, "projs/mysite/about.md") + " -o " +
                     argpath(s, "projs/mysite/about.sd") + "\n";
  // Once for the include, once when the unlisted about.md is built.
  EXPECT_EQ(s.read("pandoc/pandoc.exe.log"), line + line);
  EXPECT_EQ(s.read("build/mysite/index.html"), "<div># About\r\n</div>\r\n");
}

TEST_F(HandlerSite, ProjectAndSettingsHandlerTemplates) {
  s.installhelper("tools/conv.exe");
  std::string conv = s.win("tools/conv.exe");
  project("root(\"mysite\"),file(" + q("mysite\\index.sd") + "),handler(\".rst\"," +
          q(conv + " -t html %s -o %s") + "),handler(\".tex\"," +
          q("%stools\\conv.exe -t html %s -o %s") + ")");
  s.write("work/quernstow.cfg", "ghandler(\".adoc\"," + q("%stools\\conv.exe -t x %s -o %s") +
                                    ")\nghandler(\".rst\",\"unused %s %s\")");
  s.write("projs/mysite/index.sd", "[[i(" + q("mysite\\a.rst") + ")]]|[[i(" + q("mysite\\b.tex") +
                                       ")]]|[[i(" + q("mysite\\c.adoc") + ")]]");
  s.write("projs/mysite/a.rst", "A");
  s.write("projs/mysite/b.tex", "B");
  s.write("projs/mysite/c.adoc", "C");
  RunResult r = build("-q");
  EXPECT_EQ(s.read("build/mysite/index.html"),
            "<div>A</div>\r\n|<div>B</div>\r\n|<div>C</div>\r\n");
  std::string log = s.read("tools/conv.exe.log");
  EXPECT_EQ(log.substr(0, log.find('\n') + 1), "-t html " + argpath(s, "projs/mysite/a.rst") +
                                                   " -o " + argpath(s, "projs/mysite/a.sd") + "\n");
  EXPECT_NE(log.find("-t x " + argpath(s, "projs/mysite/c.adoc") + " -o "), std::string::npos);
}

TEST_F(HandlerSite, TemplateWithTooFewPlaceholdersFindsNoHandler) {
  s.installhelper("tools/conv.exe");
  project("root(\"mysite\"),file(" + q("mysite\\index.sd") + "),handler(\".rst\"," +
          q(s.win("tools/conv.exe") + " -t html %s") + ")");
  s.write("projs/mysite/index.sd", "x[[i(" + q("mysite\\a.rst") + ")]]y");
  s.write("projs/mysite/a.rst", "A");
  RunResult r = build();
  EXPECT_NE(r.out.find(std::string(kNotFound) + s.win("projs/mysite/a.rst") + "\n\n"),
            std::string::npos)
      << r.out;
  EXPECT_FALSE(s.exists("tools/conv.exe.log"));  // never started
}

TEST_F(HandlerSite, FolderTemplateWithTooFewPlaceholdersIsReportedAndTheRunGoesOn) {
  s.installhelper("tools/conv.exe");
  project("root(\"mysite\"),file(" + q("mysite\\index.sd") + "),file(" + q("mysite\\b.sd") +
          "),handler(\".rst\"," + q("%stools\\conv.exe %s") + ")");
  s.write("projs/mysite/index.sd", "x[[i(" + q("mysite\\a.rst") + ")]]y");
  s.write("projs/mysite/a.rst", "A");
  s.write("projs/mysite/b.sd", "B");
  RunResult r = build();
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("Error: More values than placeholders in the format\n"), std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("Encountered in " + s.win("projs/mysite/a.rst") + "\n"), std::string::npos)
      << r.out;
  EXPECT_EQ(s.read("build/mysite/b.html"), "B");
  EXPECT_FALSE(s.exists("tools/conv.exe.log"));
}

TEST_F(HandlerSite, HandlerThatWritesNothing) {
  s.installhelper("pandoc/pandoc.exe");
  s.write("pandoc/pandoc.exe.nowrite", "");
  project("root(\"mysite\"),file(" + q("mysite\\index.sd") + ")");
  s.write("projs/mysite/index.sd", "x[[i(" + q("mysite\\about.md") + ")]]y");
  s.write("projs/mysite/about.md", "# About\n");
  RunResult r = build();
  EXPECT_EQ(r.status, 0);
  // The read of the missing output is reported, then the closing message.
  EXPECT_NE(r.out.find("The system cannot find the file specified"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find(std::string(kNotFound) + s.win("projs/mysite/about.md") + "\n\n"),
            std::string::npos)
      << r.out;
  EXPECT_FALSE(s.exists("projs/mysite/about.sd"));
}

TEST_F(HandlerSite, CrlFragmentGoesToTheHttpClientWithItsConfig) {
  s.installhelper("curl/curl.exe");
  project("root(\"mysite\"),file(" + q("mysite\\index.sd") + ")");
  s.write("projs/mysite/index.sd", "[[i(" + q("mysite\\feed.crl") + ")]]");
  s.write("projs/mysite/feed.crl", "url = \"https://example.invalid/\"\n");
  s.touch("projs/mysite/index.sd", -10);
  build("-q");
  std::string log = s.read("curl/curl.exe.log");
  EXPECT_EQ(log.substr(0, log.find('\n') + 1), "-K " + argpath(s, "projs/mysite/feed.crl") +
                                                   " -o " + argpath(s, "projs/mysite/feed.sd") +
                                                   "\n");
  EXPECT_EQ(s.read("build/mysite/index.html"), "config url = \"https://example.invalid/\"\r\n");
}

// ---- remote sources through the test helper as the HTTP client ----

TEST_F(HandlerSite, RemoteFragmentCommandLineAndCache) {
  s.installhelper("curl/curl.exe");
  project("root(\"mysite\"),file(" + q("mysite\\index.sd") + ")");
  std::string a = "https://example.invalid/get?file=docs\\\\intro.sd&v=1";
  std::string b = "https://other.invalid/x?file=docs\\\\intro.sd";
  s.write("projs/mysite/index.sd", "[[i(\"" + a + "\")]]|[[i(\"" + b + "\")]]");
  RunResult r = build("-q");
  EXPECT_EQ(r.out, "");
  std::string url = "https://example.invalid/get?file=docs\\intro.sd&v=1";
  // One fetch: the second name maps to the same cache file.
  EXPECT_EQ(s.read("curl/curl.exe.log"),
            "--silent " + url + " -o " + argpath(s, "cache/docs_intro.sd") + "\n");
  EXPECT_EQ(s.read("cache/docs_intro.sd"), "fetched " + url + "\n");
  EXPECT_EQ(s.read("build/mysite/index.html"), "fetched " + url + "\r\n|fetched " + url + "\r\n");
}

TEST_F(HandlerSite, FailedDownloadIsFetchedAgainInTheSameRun) {
  s.installhelper("curl/curl.exe");
  s.write("curl/curl.exe.exit", "22 0");  // the first call fails
  project("root(\"mysite\"),file(" + q("mysite\\index.sd") + ")");
  s.write("projs/mysite/index.sd",
          "[[i(\"https://h.invalid/1?file=r.sd\")]]|[[i(\"https://h.invalid/2?file=r.sd\")]]");
  RunResult r = build();
  EXPECT_NE(r.out.find(std::string(kNotFound) + "https://h.invalid/1?file=r.sd\n\n"),
            std::string::npos)
      << r.out;
  std::string log = s.read("curl/curl.exe.log");
  EXPECT_NE(log.find("https://h.invalid/2?file=r.sd"), std::string::npos) << log;
  EXPECT_EQ(s.read("cache/r.sd"), "fetched https://h.invalid/2?file=r.sd\n");
  std::string page = s.read("build/mysite/index.html");
  EXPECT_NE(page.find("|fetched https://h.invalid/2?file=r.sd"), std::string::npos) << page;
}

TEST_F(HandlerSite, AddressThatWouldSplitIntoMoreArgumentsIsNotFetched) {
  s.installhelper("curl/curl.exe");
  project("root(\"mysite\"),file(" + q("mysite\\index.sd") + ")");
  std::string url = "https://h.invalid/x?file=a.sd -o " + s.win("projs/mysite/evil.sd");
  s.write("projs/mysite/index.sd", "[[i(" + q(url) + ")]]");
  RunResult r = build();
  // Windows refuses the local name made from this address (a "?" in a folder
  // step) as an invalid name, reported as an error, where POSIX finds no
  // such file; either way nothing is fetched.
  std::string refused =
      emulated() ? "Encountered in " + url + "\n" : std::string(kNotFound) + url + "\n\n";
  EXPECT_NE(r.out.find(refused), std::string::npos) << r.out;
  EXPECT_FALSE(s.exists("curl/curl.exe.log"));
  EXPECT_FALSE(s.exists("projs/mysite/evil.sd"));
}

TEST_F(HandlerSite, MissingHttpClientFailsQuietly) {
  project("root(\"mysite\"),file(" + q("mysite\\index.sd") + ")");
  s.write("projs/mysite/index.sd", "[[i(\"https://h.invalid/x?file=r.sd\")]]");
  RunResult r = build();
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find(std::string(kNotFound) + "https://h.invalid/x?file=r.sd\n\n"),
            std::string::npos)
      << r.out;
  EXPECT_FALSE(s.exists("cache/r.sd"));
}

TEST_F(HandlerSite, RemoteNameWithoutFileFieldIsALocalPath) {
  s.installhelper("curl/curl.exe");
  project("root(\"mysite\"),file(" + q("mysite\\index.sd") + ")");
  s.write("projs/mysite/index.sd", "[[i(\"https://h.invalid/page.sd\")]]");
  RunResult r = build();
  EXPECT_NE(r.out.find(std::string(kNotFound) + "https://h.invalid/page.sd\n\n"), std::string::npos)
      << r.out;
  EXPECT_FALSE(s.exists("curl/curl.exe.log"));  // nothing fetched
}

TEST_F(HandlerSite, PlaceholdersUnderCreateAreReportedEvenWhenQuiet) {
  project("root(\"mysite\"),file(" + q("mysite\\index.sd") + "),notes(\"Build notes\")");
  s.write("projs/mysite/index.sd", "<[[i(" + q("mysite\\inc\\header.sd") + ")]]>");
  RunResult r = build("-q -r");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "\n*********\nIMPORTANT\n*********\nThe following files were created with "
            "placeholder content.\nPlease modify them as per your requirements and build "
            "again!\n\n" +
                s.win("projs/mysite/inc/header.sd") + "\n\nBuild notes");
  EXPECT_EQ(s.read("projs/mysite/inc/header.sd"), kPlaceholder);
  EXPECT_EQ(s.read("build/mysite/index.html"), "<" + std::string(kPlaceholder) + ">");
}

TEST_F(HandlerSite, NothingAtTheEndWithoutPlaceholdersOrNotes) {
  project("root(\"mysite\"),file(" + q("mysite\\index.sd") + ")");
  s.write("projs/mysite/index.sd", "page");
  EXPECT_EQ(build("-q").out, "");
}

// ---- the real curl against a local HTTPS server ----

class RemoteSite : public HandlerSite {
 protected:
  void SetUp() override {
    if (!server.unavailable().empty())
      GTEST_SKIP() << "no local HTTPS server: " << server.unavailable();
    linkhost("curl/curl.exe", "/usr/bin/curl");
    project("root(\"mysite\"),file(" + q("mysite\\index.sd") + ")");
  }
  HttpsServer server;
};

TEST_F(RemoteSite, FragmentsAreFetchedOncePerCacheFile) {
  server.put("remote.sd", "remote text\r\n");
  s.write("projs/mysite/index.sd", "A[[i(\"" + server.url() +
                                       "remote.sd?file=remote.sd&x=1\")]]B[[i(\"" + server.url() +
                                       "other?file=remote.sd\")]]C");
  RunResult r = build();
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(server.requests(), std::vector<std::string>{"GET /remote.sd?file=remote.sd&x=1"});
  EXPECT_EQ(s.read("cache/remote.sd"), "remote text\r\n");
  EXPECT_EQ(s.read("build/mysite/index.html"), "Aremote text\r\nBremote text\r\nC");
}

TEST_F(RemoteSite, ErrorWithoutBodyIsFetchedAgain) {
  server.put("flaky.sd", "good");
  server.statuses("flaky.sd", "503 200");
  s.write("projs/mysite/index.sd", "[[i(\"" + server.url() + "flaky.sd?file=flaky.sd\")]]|[[i(\"" +
                                       server.url() + "flaky.sd?file=flaky.sd&again\")]]");
  RunResult r = build();
  EXPECT_NE(r.out.find(std::string(kNotFound) + server.url() + "flaky.sd?file=flaky.sd\n\n"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(server.requests().size(), 2u);
  EXPECT_EQ(s.read("cache/flaky.sd"), "good");
  std::string page = s.read("build/mysite/index.html");
  EXPECT_EQ(page.substr(page.size() - 5), "|good") << page;
}

TEST_F(RemoteSite, ServerThatDoesNotAnswer) {
  std::string url = server.url();
  server.stop();
  s.write("projs/mysite/index.sd", "[[i(\"" + url + "gone.sd?file=gone.sd\")]]");
  RunResult r = build();
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find(std::string(kNotFound) + url + "gone.sd?file=gone.sd\n\n"),
            std::string::npos)
      << r.out;
  EXPECT_FALSE(s.exists("cache/gone.sd"));
}

TEST_F(RemoteSite, RemoteProjectIsFetchedAndItsTemporaryFileRemoved) {
  server.put("proj.txt", "root(\"mysite\"),file(" + q("mysite\\index.sd") + ")");
  s.write("projs/mysite/index.sd", "remote project page");
  // A remote project turns quiet mode off once loaded.
  RunResult r = s.run("-q " + server.url() + "proj.txt", "", "work");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("Saved: " + s.win("build/mysite/index.html") + "\n"), std::string::npos)
      << r.out;
  EXPECT_EQ(s.read("build/mysite/index.html"), "remote project page");
  for (auto& e : fs::directory_iterator(s.host("work")))
    EXPECT_FALSE(e.path().filename().string().starts_with("tmp")) << e.path();
}

TEST_F(RemoteSite, RemoteProjectThatFailsToDownload) {
  server.statuses("proj.txt", "500");
  server.put("proj.txt", "root(\"mysite\")");
  RunResult r = s.run(server.url() + "proj.txt", "", "work");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("Either project filename was not specified on the command line. Or it was "
                       "not found. Or it was not written correctly. "),
            std::string::npos)
      << r.out;
  for (auto& e : fs::directory_iterator(s.host("work")))
    EXPECT_FALSE(e.path().filename().string().starts_with("tmp")) << e.path();
}

}  // namespace
}  // namespace qs::e2e
