#include "cli/driver.h"

#include "cli/project.h"
#include "cli/sequence.h"
#include "cli/settings.h"
#include "foundation/console.h"
#include "foundation/factstore.h"
#include "foundation/formatter.h"
#include "foundation/text.h"
#include "platform/platform.h"

namespace qs {

namespace {

constexpr std::string_view kVersion = "0.5.8";

constexpr std::string_view kBanner =
    "Quernstow static page builder. Version: %\n"
    "Assembles web pages from fragment files into the build folder.\n"
    "Run it without arguments for the usage text.\n"
    "\n";

constexpr std::string_view kUsage[] = {
    "Usage: quernstow [-h] [-q] [-r|clean|empty|copy] quernstowfilename\n\n",
    "quernstowfilename = the name of an existing quernstow project file.\n",
    "This project file is mandatory and its contents must be as per quernstow instruction "
    "syntax.\n",
    "The instruction syntax and every setting are described at https://quernstow.org/docs\n\n",
    "clean or empty or copy are optional verbs that do the following:\n",
    "       clean = removes *.BAK files left behind in the build folder of the project.\n",
    "       empty = removes all generated files in the build folder of the project.\n",
    "       copy  = copies extra files from the project folder to the build folder.\n",
    "If clean/empty/copy is not specified, by default, quernstow will build the project.\n\n",
    "option -q will make sure nothing is written to stdout (except critical info).\n",
    "option -r will recreate missing yet needed files with placeholder content.\n\n",
    "option -h will write out the notes(...) if it was present in the project file.\n\n",
    "Press ENTER to close",
};

bool isblank(char c) {
  return c == ' ' || c == '\t';
}

size_t skipblanks(std::string_view s, size_t i) {
  while (i < s.size() && isblank(s[i])) ++i;
  return i;
}

/// The end of the program name that starts at i.
size_t skipprogramname(std::string_view s, size_t i) {
  if (i < s.size() && s[i] == '"') {
    size_t close = s.find('"', i + 1);
    return close == std::string_view::npos ? s.size() : close + 1;
  }
  size_t space = s.find(' ', i);
  return space == std::string_view::npos ? s.size() : space;
}

/// Settings, options, then the notes, a verb or the build. False when the
/// run cannot start: unreadable settings, or nothing left after the options.
bool startrun() {
  std::string t0 = commandlinetext(platform::commandline());
  if (!dodefaults()) return false;
  std::string t3 = checkifhelp(checkifcreate(checkifquiet(t0)));
  std::optional<std::string> t4 = trim(t3);
  if (!t4) return false;
  h_clean_or_empty_or_process(*t4);
  return true;
}

}  // namespace

std::string commandlinetext(std::string_view full) {
  size_t i = skipblanks(full, 0);
  i = skipblanks(full, skipprogramname(full, i));
  return std::string(full.substr(i));
}

void processfiles() {
  if (!startrun()) usage();
}

std::string checkifquiet(std::string_view in) {
  if (!substrpos(in, "-q")) {
    banner();
    return std::string(in);
  }
  qassert();
  return str_replace(in, "-q", "");
}

void qassert() {
  try {
    facts().quiet.append({});
  } catch (const RuntimeError&) {
    // Quiet already holds (from the settings file); one record is enough.
  }
}

std::string checkifcreate(std::string_view in) {
  if (!substrpos(in, "-r")) return std::string(in);
  cassert();
  return str_replace(in, "-r", "");
}

void cassert() {
  try {
    facts().create.append({});
  } catch (const RuntimeError&) {
  }
}

std::string checkifhelp(std::string_view in) {
  if (!substrpos(in, "-h")) return std::string(in);
  facts().hlp.set(1);
  return str_replace(in, "-h", "");
}

bool hlp(int n) {
  return facts().hlp.get() == n;
}

void h_clean_or_empty_or_process(std::string_view s) {
  if (hlp(1) && fetchorpullinproj(str_replace(s, "\"", ""))) {
    writenotes();
    return;
  }
  clean_or_empty_or_process(s);
}

void writenotes() {
  if (const Notes* notes = facts().notes.first()) {
    writeout("NOTES:\n");
    writeout(notes->text);
    return;
  }
  writeout(
      "Notes(...) were not present in this particular Project File. Hmm...we can't provide more "
      "help!");
}

void banner() {
  qwrite(formattext(kBanner, {kVersion}));
}

void usage() {
  for (std::string_view line : kUsage) qwrite(line);
  // Console input is line-buffered, so one character waits for ENTER; a
  // closed input ends the wait at once.
  platform::flushout();
  platform::readchar();
}

std::string unexpectederrorreport(const RuntimeError& e) {
  return formattext("\nPROGRAM ERROR. Module:% Pos:%\n Message:%\n",
                    {e.unit(), static_cast<int32_t>(e.pos()), errormessage(e.code())});
}

int runprogram(int argc, char** argv) {
  platform::init(argc, argv);
  try {
    processfiles();
  } catch (const RuntimeError& e) {
    writeout(unexpectederrorreport(e));
    platform::flushout();
    platform::exitprocess(e.code());
  }
  platform::flushout();
  return 0;
}

}  // namespace qs
