#include "files/runcommand.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "files/testtree.h"
#include "platform/platform.h"

namespace qs {
namespace {

using TempFolder = testing::TempTree;

// A file that is no program cannot start, whatever the host.
TEST(RunCommand, ProgramThatCannotStartGivesZero) {
  TempFolder t;
  t.write("noexec.exe", "not a program\n");
  EXPECT_EQ(runcommand(t.win("noexec.exe")), 0);
  EXPECT_EQ(runcommand(t.win("noexec.exe") + " with arguments"), 0);
}

TEST(ExitProcess, StatusOfAnErrorIsNeverZero) {
#ifdef _WIN32
  const int kept = 1135;  // Windows keeps the whole number
#else
  const int kept = 1135 % 256;
#endif
  EXPECT_EXIT(platform::exitprocess(0), ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(platform::exitprocess(1135), ::testing::ExitedWithCode(kept), "");
#ifndef _WIN32
  EXPECT_EXIT(platform::exitprocess(256), ::testing::ExitedWithCode(255), "");
  EXPECT_EXIT(platform::exitprocess(7003), ::testing::ExitedWithCode(7003 % 256), "");
#endif
}

#ifndef _WIN32
// The POSIX layer: scripts stand in for programs; the interpreter is a PATH
// lookup.

// A shell script under a name ending in ".exe": it writes each argument it
// receives on a line of the file named by its first argument and exits 7.
// The work runs under timeout, so that the child is bounded in time.
void writescript(const TempFolder& t, std::string_view rel) {
  t.write(
      rel,
      "#!/bin/sh\n"
      "exec timeout 10 sh -c 'for a in \"$@\"; do printf \"%s\\n\" \"$a\"; done > \"$1\"; exit 7' "
      "sh \"$@\"\n");
  std::filesystem::permissions(t.host(rel), std::filesystem::perms::owner_exec,
                               std::filesystem::perm_options::add);
}

TEST(RunCommand, StartsAnExeDirectlyWithHostPathArguments) {
  TempFolder t;
  writescript(t, "tools/tool.exe");
  t.mkdir("Out");
  std::string cmd = t.win("TOOLS\\Tool.EXE") + " " + t.win("out\\args.txt") +
                    " \"two words\" C:\\a\\B https://x\\y plain a\\\\\\\"q\\\" \"c d\\\\\" e \"\"";
  EXPECT_EQ(runcommand(cmd), 7);
  EXPECT_EQ(t.read("Out/args.txt"),
            t.host("Out/args.txt").string() +
                "\ntwo words\n/a/B\nhttps://x\\y\nplain\na/\"q\"\nc d/\ne\n\n");
}

TEST(RunCommand, CommandWithoutExeIsLookedUpOnPath) {
  TempFolder t;
  EXPECT_EQ(runcommand("timeout 10 sh -c \"exit 3\""), 3);
  // A ".exe" that does not exist goes the same way.
  EXPECT_EQ(runcommand(t.win("missing.exe") + " x"), 0);
}

TEST(RunCommand, UnknownCommandGivesZero) {
  EXPECT_EQ(runcommand("qs-no-such-program-anywhere --x"), 0);
  EXPECT_EQ(runcommand(""), 0);
}

TEST(CommandLine, ArgumentsJoinedBySingleSpaces) {
  char a0[] = "prog", a1[] = "-q", a2[] = "my site.txt";
  char* argv[] = {a0, a1, a2};
  platform::init(3, argv);
  EXPECT_EQ(platform::commandline(), "prog -q my site.txt");
}
#endif

}  // namespace
}  // namespace qs
