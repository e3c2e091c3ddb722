#include "files/runcommand.h"

#include "files/disk.h"
#include "files/paths.h"
#include "foundation/text.h"
#include "platform/platform.h"

namespace qs {

int runcommand(std::string_view commandline, int /*showwindow*/) {
  // The window is always hidden, which is all the host layer offers.
  std::string_view first = commandline.substr(0, commandline.find_first_of(" \t"));
  bool direct = uppercase(splitext(first).ext) == ".EXE" && fileexists(first);
  return platform::runchild(commandline, direct);
}

}  // namespace qs
