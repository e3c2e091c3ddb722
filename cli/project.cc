#include "cli/project.h"

#include "files/disk.h"
#include "files/handlers.h"
#include "files/paths.h"
#include "foundation/console.h"
#include "foundation/error.h"
#include "foundation/factstore.h"
#include "foundation/formatter.h"
#include "foundation/termreader.h"
#include "foundation/text.h"
#include "platform/platform.h"

namespace qs {

namespace {

/// A name for the downloaded project that no file of the working folder
/// has: "tmp" and the process number, counted down past existing files.
std::string freshtempname() {
  std::string folder = workfolder();
  for (int64_t n = platform::processid();; --n) {
    std::string candidate = joinpath(folder, "tmp" + inttotext(n));
    if (!fileexists(candidate)) return candidate;
  }
}

}  // namespace

bool fetchorpullinproj(std::string_view name) {
  if (afterprefix("https://", name)) return fetchhttpsproj(name);
  std::string full = joinpath(workfolder(), name);
  bool found = false;
  try {
    found = fileexists(full);
  } catch (const RuntimeError&) {
    // A name that cannot even be tested is as good as missing.
  }
  if (!found) return false;
  facts().currproj.set(full);
  return pullinproj(full);
}

bool fetchhttpsproj(std::string_view url) {
  std::optional<std::string> text = getcurlstr(url, freshtempname());
  if (!text || !parseprojectstring(*text)) return false;
  removequiet();
  return true;
}

bool pullinproj(std::string_view path) {
  return parseprojectstring(loadtext(str_replace(path, "\"", "")));
}

bool parseprojectstring(std::string_view text) {
  // Records may be spread over lines freely: every line feed goes, also
  // inside texts, before the content is read as one bracketed list.
  std::string list = str_replace(formattext("[%]", {text}), "\n", "");
  ProjectFactList records;
  try {
    records = readvalue<ProjectFactList>(list);
  } catch (const RuntimeError&) {
    return false;
  }
  assertproj(records);
  return true;
}

void assertproj(const ProjectFactList& records) {
  for (const ProjectRecord& r : records) facts().append(r);
}

bool checkroot() {
  AtMostOne<Root>& root = facts().root;
  if (!root.exists()) {
    writeout("Root folder of the project was not specified in the project file!\n");
    return false;
  }
  if (root.first()->folder.ends_with('\\')) return true;
  std::string completed = root.first()->folder + "\\";
  root.removefirst();
  root.append({completed});
  return true;
}

void removequiet() {
  facts().quiet.removefirst();
}

std::string currproj() {
  return facts().currproj.get();
}

}  // namespace qs
