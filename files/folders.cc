#include "files/folders.h"

#include <string>

#include "files/disk.h"
#include "files/paths.h"
#include "foundation/error.h"
#include "foundation/factstore.h"

namespace qs {
namespace {

bool endswith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

// One step of the upward walk: create the folder, or queue it and try its
// parent.
bool walk(std::string_view folder) {
  if (endswith(folder, ":\\")) return true;
  try {
    makefolder(folder);
    restofdirs();
    return true;
  } catch (const RuntimeError&) {
    // Not made (exists, parent missing, no access): climb.
  }
  facts().tomake.pushfront(std::string(folder));
  if (!endswith(folder, "\\")) return false;
  folder.remove_suffix(1);
  return walk(splitpath(folder).folder);
}

// True when folder (ending in "\") names an existing folder.
bool folderexists(std::string_view folder) {
  if (!endswith(folder, "\\")) return false;
  folder.remove_suffix(1);
  if (folder.empty()) return false;
  try {
    std::optional<platform::Entry> e = platform::stat(folder);
    return e && (e->attributes & platform::kFolder);
  } catch (const RuntimeError&) {
    return false;
  }
}

}  // namespace

bool chkmkdir(std::string_view folder) {
  // A walk over a path without a drive letter climbs to "" and fails even
  // when the folder is there; a folder that exists is what the caller needs.
  return walk(folder) || folderexists(folder);
}

void restofdirs() {
  Many<std::string>& pending = facts().tomake;
  while (const std::string* first = pending.first()) {
    std::string folder = *first;
    pending.removefirst();
    try {
      makefolder(folder);
    } catch (const RuntimeError&) {
      // Already there or not possible: the writer meets it later.
    }
  }
}

bool mkalldirs(std::string_view file) {
  return chkmkdir(splitpath(file).folder);
}

void createfolderifmissing(std::string_view folder) {
  if (facts().create.exists()) chkmkdir(folder);
}

void createbuildfolders(std::string_view source, std::string_view from, std::string_view to) {
  for (const platform::Entry& e : listfolder(std::string(source) + "*", kMaskFolders)) {
    if (e.name == "." || e.name == "..") continue;
    std::string sub = std::string(source) + e.name + "\\";
    // Only the root at the front is mapped: the same text elsewhere in the
    // path (say, in the executable's folder) must stay as it is.
    if (sub.compare(0, from.size(), from) != 0) continue;
    std::string target = std::string(to) + sub.substr(from.size());
    if (chkmkdir(target)) createbuildfolders(sub, from, to);
  }
}

}  // namespace qs
