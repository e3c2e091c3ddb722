// The command line, the settings file and the project file, end to end:
// options, banner, usage text and its wait, notes, the failure message and
// the unexpected-error report.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/site.h"

namespace qs::e2e {
namespace {

const std::string kBanner =
    "Quernstow static page builder. Version: 0.5.8\n"
    "Assembles web pages from fragment files into the build folder.\n"
    "Run it without arguments for the usage text.\n\n";

const std::string kUsage =
    "Usage: quernstow [-h] [-q] [-r|clean|empty|copy] quernstowfilename\n\n"
    "quernstowfilename = the name of an existing quernstow project file.\n"
    "This project file is mandatory and its contents must be as per quernstow instruction "
    "syntax.\n"
    "The instruction syntax and every setting are described at https://quernstow.org/docs\n\n"
    "clean or empty or copy are optional verbs that do the following:\n"
    "       clean = removes *.BAK files left behind in the build folder of the project.\n"
    "       empty = removes all generated files in the build folder of the project.\n"
    "       copy  = copies extra files from the project folder to the build folder.\n"
    "If clean/empty/copy is not specified, by default, quernstow will build the project.\n\n"
    "option -q will make sure nothing is written to stdout (except critical info).\n"
    "option -r will recreate missing yet needed files with placeholder content.\n\n"
    "option -h will write out the notes(...) if it was present in the project file.\n\n"
    "Press ENTER to close";

const std::string kFailed =
    "Either project filename was not specified on the command line. Or it was not found. Or it "
    "was not written correctly. ";

const std::string kNoRoot = "Root folder of the project was not specified in the project file!\n";

const std::string kNoNotes =
    "Notes(...) were not present in this particular Project File. Hmm...we can't provide more "
    "help!";

const std::string kSecondRecordReport =
    "\nPROGRAM ERROR. Module:factstore Pos:1\n Message:A record of this kind exists already and "
    "only one is allowed\n";

/// The exit status the host shows for an error number (8 bits on POSIX).
int hoststatus(int code) {
  return code % 256 == 0 ? 255 : code % 256;
}

constexpr std::string_view kProject =
    "root(\"mysite\"),file(\"mysite\\\\index.sd\"),notes(\"Build with care.\\n\")";

void writeproject(const Site& s, std::string_view name = "site.txt") {
  s.write(name, kProject);
  s.write("projs/mysite/index.sd", "<p>index</p>");
}

std::string saved(const Site& s, std::string_view rel) {
  return "Saved: " + s.win(rel) + "\n";
}

TEST(CommandLine, WithoutAProjectNameTheUsageTextWaits) {
  Site s;
  for (const char* args : {"", "-h", "-r", "-h-r"}) {
    RunResult r = s.run(args);
    EXPECT_EQ(r.out, kBanner + kUsage) << args;
    EXPECT_EQ(r.status, 0) << args;
  }
  // Blanks only (an emulator would quote this argument).
  if (!emulated()) {
    EXPECT_EQ(s.run("'   '").out, kBanner + kUsage);
  }
}

TEST(CommandLine, QuietAloneWritesNothingButStillWaits) {
  Site s;
  RunResult r = s.run("-q", "\n");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(s.run("-q").out, "");  // closed input ends the wait at once
}

TEST(CommandLine, AProjectNameInQuotesKeepsItsInnerSpaces) {
  Site s;
  writeproject(s, "my site.txt");
  // The raw command line keeps the quotes as typed; under an emulator the
  // launcher quotes each argument itself, so only the plain form is given.
  std::vector<std::string> forms = {"'my site.txt'"};
  if (!emulated()) forms.insert(forms.end(), {"'\"my site.txt\"'", "'\"my \"site.txt'"});
  for (const std::string& args : forms) {
    s.remove("build/mysite");
    RunResult r = s.run(args);
    EXPECT_EQ(r.out, kBanner + saved(s, "build/mysite/index.html") + "\nBuild with care.\n")
        << args;
    EXPECT_TRUE(s.exists("build/mysite/index.html")) << args;
  }
}

TEST(CommandLine, OptionsAreTakenOutOfFileNamesToo) {
  Site s;
  writeproject(s, "myome.txt");
  // "-h" inside my-home.txt switches help on and leaves myome.txt.
  RunResult r = s.run("my-home.txt");
  EXPECT_EQ(r.out, kBanner + "NOTES:\nBuild with care.\n");
  EXPECT_FALSE(s.exists("build/mysite/index.html"));
  // "-q" inside a name: no banner, and quiet holds for the build.
  writeproject(s, "site.txt");
  EXPECT_EQ(s.run("si-qte.txt").out, "\nBuild with care.\n");
  EXPECT_TRUE(s.exists("build/mysite/index.html"));
}

TEST(CommandLine, OptionsAreCaseSensitive) {
  Site s;
  RunResult r = s.run("-Q site.txt");
  EXPECT_EQ(r.out, kBanner + kFailed);
}

TEST(Help, PrintsTheNotesAndBuildsNothing) {
  Site s;
  writeproject(s);
  RunResult r = s.run("-h site.txt");
  EXPECT_EQ(r.out, kBanner + "NOTES:\nBuild with care.\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_FALSE(s.exists("build/mysite/index.html"));
  // The notes are written also in quiet mode, and quotes go.
  EXPECT_EQ(s.run(emulated() ? "-q -h site.txt" : "-q -h '\"site.txt\"'").out,
            "NOTES:\nBuild with care.\n");
}

TEST(Help, SaysSoWhenTheProjectHasNoNotes) {
  Site s;
  s.write("site.txt", "root(\"mysite\")");
  EXPECT_EQ(s.run("site.txt -h").out, kBanner + kNoNotes);
}

TEST(Help, AProjectThatDoesNotLoadIsBuiltInstead) {
  Site s;
  EXPECT_EQ(s.run("-h missing.txt").out, kBanner + kFailed);
  s.write("bad.txt", "root(\"mysite\"),");
  EXPECT_EQ(s.run("-h bad.txt").out, kBanner + kFailed);
}

TEST(Project, UnreadableProjectFilesEndWithTheFailureMessage) {
  Site s;
  s.write("projs/mysite/index.sd", "x");
  const char* cases[] = {
      "root(\"mysite\"),file(\"mysite\\\\index.sd\"),",     // comma after the last record
      "root(\"mysite\"),\n\tfile(\"mysite\\\\index.sd\")",  // a tab
      "root(\"mysite\"),file(\"mysite\\\\index.sd)",        // unterminated text
  };
  for (const char* c : cases) {
    s.write("site.txt", c);
    RunResult r = s.run("site.txt");
    EXPECT_EQ(r.out, kBanner + kFailed) << c;
    EXPECT_EQ(r.status, 0) << c;
  }
  EXPECT_FALSE(s.exists("build/mysite"));
  EXPECT_EQ(s.run("-q site.txt").out, "");
}

TEST(Project, AMissingProjectFileEndsWithTheFailureMessageAndNoWait) {
  Site s;
  RunResult r = s.run("missing.txt", "", "", 20);
  EXPECT_EQ(r.out, kBanner + kFailed);
  EXPECT_EQ(r.status, 0);
}

TEST(Project, WithoutRootTheRootMessageComesFirstAlsoWhenQuiet) {
  Site s;
  s.write("site.txt", "file(\"mysite\\\\index.sd\")");
  EXPECT_EQ(s.run("site.txt").out, kBanner + kNoRoot + kFailed);
  EXPECT_EQ(s.run("-q site.txt").out, kNoRoot);
}

TEST(Project, ASecondRootOrNotesEndsWithTheErrorReport) {
  Site s;
  s.write("projs/mysite/index.sd", "x");
  for (const char* c : {"root(\"mysite\"),file(\"mysite\\\\index.sd\"),root(\"other\")",
                        "notes(\"a\"),root(\"mysite\"),notes(\"b\")"}) {
    s.write("site.txt", c);
    RunResult r = s.run("site.txt");
    EXPECT_EQ(r.out, kBanner + kSecondRecordReport) << c;
    EXPECT_EQ(r.status, hoststatus(1041)) << c;
    // The report is written also in quiet mode; there is no usage and no wait.
    EXPECT_EQ(s.run("-q site.txt").out, kSecondRecordReport) << c;
  }
  EXPECT_FALSE(s.exists("build/mysite"));
}

TEST(Project, TheProjectNameIsResolvedAgainstTheWorkingFolder) {
  Site s;
  writeproject(s, "work/site.txt");
  RunResult r = s.run("site.txt", "", "work");
  EXPECT_EQ(r.out, kBanner + saved(s, "build/mysite/index.html") + "\nBuild with care.\n");
  s.remove("build/mysite");
  RunResult up = s.run("'..\\work\\site.txt'", "", "projs");
  EXPECT_EQ(up.out, r.out);
}

TEST(Project, ARemoteProjectIsFetchedIntoATemporaryFileAndEndsQuietMode) {
  Site s;
  s.installhelper("curl/curl.exe");
  s.write("curl/curl.exe.reply", kProject);
  s.write("projs/mysite/index.sd", "<p>index</p>");
  s.write("work/keep.txt", "");
  RunResult r = s.run("-q https://example.org/site.txt", "", "work");
  EXPECT_EQ(r.out, saved(s, "build/mysite/index.html") + "\nBuild with care.\n");
  EXPECT_TRUE(s.exists("build/mysite/index.html"));
  std::string log = s.read("curl/curl.exe.log");
  EXPECT_EQ(log.rfind("--silent https://example.org/site.txt -o ", 0), 0u) << log;
  // The temporary file lay in the working folder and is gone.
  EXPECT_TRUE(log.find("/work/tmp") != std::string::npos ||
              log.find("\\work\\tmp") != std::string::npos)
      << log;
  EXPECT_FALSE(s.exists("work/tmp"));
  for (const auto& e : std::filesystem::directory_iterator(s.host("work")))
    EXPECT_EQ(e.path().filename(), "keep.txt");
}

TEST(Project, ARemoteProjectThatCannotBeFetchedFails) {
  Site s;
  RunResult r = s.run("https://example.org/site.txt");  // no HTTP client installed
  EXPECT_EQ(r.out, kBanner + kFailed);
  s.installhelper("curl/curl.exe");
  s.write("curl/curl.exe.exit", "22");
  EXPECT_EQ(s.run("https://example.org/site.txt").out, kBanner + kFailed);
  EXPECT_EQ(s.run("-q https://example.org/site.txt").out, "");
}

TEST(Settings, AnOutputSettingChangesThePagesExtension) {
  Site s;
  writeproject(s);
  s.write("quernstow.cfg", "output(\".htm\")\r\n");
  RunResult r = s.run("site.txt");
  EXPECT_EQ(r.out, kBanner + saved(s, "build/mysite/index.htm") + "\nBuild with care.\n");
  EXPECT_TRUE(s.exists("build/mysite/index.htm"));
}

TEST(Settings, QuietFromTheFileAlsoSilencesTheBannerAndAcceptsQuietOnTheCommandLine) {
  Site s;
  writeproject(s);
  s.write("quernstow.cfg", "quiet\n");
  EXPECT_EQ(s.run("site.txt").out, "\nBuild with care.\n");
  EXPECT_EQ(s.run("-q site.txt").out, "\nBuild with care.\n");
  EXPECT_EQ(s.run("-q missing.txt").out, "");
}

TEST(Settings, AnUnreadableSettingsFileShowsTheUsageText) {
  Site s;
  writeproject(s);
  const char* cases[] = {
      "output(\".htm\")\n\n",                          // an empty last line
      "output(\".htm\")\n\nbuildfolder(\"b\\\\\")\n",  // an empty line between records
      "output(\".htm\")\noutput(\".html\")\n",         // two output records
      "fragmentfolder(projs)\n",                       // not a text
  };
  for (const char* c : cases) {
    s.write("quernstow.cfg", c);
    RunResult r = s.run("site.txt");
    EXPECT_EQ(r.out, kUsage) << c;  // the banner comes with the options, after the settings
    EXPECT_EQ(r.status, 0) << c;
  }
  EXPECT_FALSE(s.exists("build/mysite"));
}

TEST(Settings, QuietBeforeAnUnreadableLineSilencesTheUsageText) {
  Site s;
  s.write("quernstow.cfg", "quiet\nnot a setting\n");
  RunResult r = s.run("site.txt", "\n");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.status, 0);
}

TEST(Settings, TheSettingsFileIsTakenFromTheWorkingFolder) {
  Site s;
  writeproject(s);
  s.write("work/quernstow.cfg", "output(\".htm\")\n");
  s.write("work/site.txt", kProject);
  s.run("site.txt");
  EXPECT_TRUE(s.exists("build/mysite/index.html"));
  s.run("site.txt", "", "work");
  EXPECT_TRUE(s.exists("build/mysite/index.htm"));
}

TEST(Cache, FilesLeftByAnEarlierRunAreDeletedButSubFoldersStay) {
  Site s;
  s.write("cache/old.sd", "stale");
  s.write("cache/.hidden", "stale");
  s.write("cache/keep/inner.sd", "kept");
  s.run("");
  EXPECT_FALSE(s.exists("cache/old.sd"));
  EXPECT_FALSE(s.exists("cache/.hidden"));
  EXPECT_EQ(s.read("cache/keep/inner.sd"), "kept");
  // A missing cache folder is created.
  s.remove("cache");
  s.run("");
  EXPECT_TRUE(s.exists("cache"));
}

}  // namespace
}  // namespace qs::e2e
