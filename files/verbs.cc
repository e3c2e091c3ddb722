// The clean, empty and copy work on a project's build folder.
#include "files/verbs.h"

#include <optional>
#include <string>

#include "files/disk.h"
#include "files/folders.h"
#include "files/paths.h"
#include "foundation/console.h"
#include "foundation/formatter.h"
#include "foundation/text.h"

namespace qs {

namespace {

bool isdotentry(std::string_view name) {
  return name == "." || name == "..";
}

/// The sub-folders of folder, as folder paths ending in "\".
std::vector<std::string> subfolders(std::string_view folder) {
  std::vector<std::string> subs;
  for (const platform::Entry& e : listfolder(std::string(folder) + "*", kMaskFolders))
    if (!isdotentry(e.name)) subs.push_back(formattext("%s%s\\", {folder, e.name}));
  return subs;
}

/// The source-tree folder for a build-tree folder: the build root at its
/// front is exchanged for the source root. Only the front is mapped, so a
/// tree root whose own path holds the setting texts maps correctly.
std::optional<std::string> sourcefolderof(std::string_view buildroot, std::string_view sourceroot,
                                          std::string_view folder) {
  auto below = afterprefix(buildroot, folder);
  if (!below) return std::nullopt;
  return std::string(sourceroot) + *below;
}

}  // namespace

void cleanbak(std::string_view pattern, std::string_view folder) {
  cleanbak2(pattern, folder);
  for (const std::string& sub : subfolders(folder)) cleanbak(pattern, sub);
  qwrite(formattext("Cleaned %s%\n", {folder, pattern}));
}

void cleanbak2(std::string_view pattern, std::string_view folder) {
  std::string filepattern = std::string(folder) + std::string(pattern);
  for (const platform::Entry& e : listfolder(filepattern, kMaskFiles))
    removefile(formattext("%s%s", {folder, e.name}));
}

void copyfil(std::string_view pattern, std::string_view buildroot, std::string_view sourceroot,
             std::string_view folder) {
  if (chkmkdir(folder)) {
    copyfil2(pattern, buildroot, sourceroot, folder);
    for (const std::string& sub : subfolders(folder))
      if (chkmkdir(sub)) copyfil(pattern, buildroot, sourceroot, sub);
  }
  qwrite(formattext("Sync copy process over at %\n\n", {folder}));
}

void copyfil2(std::string_view pattern, std::string_view buildroot, std::string_view sourceroot,
              std::string_view folder) {
  // A folder outside the build root has no counterpart to copy from.
  auto sourcefolder = sourcefolderof(buildroot, sourceroot, folder);
  if (!sourcefolder) return;
  for (const platform::Entry& e : listfolder(*sourcefolder + std::string(pattern), kMaskFiles)) {
    std::string source = formattext("%s%s", {*sourcefolder, e.name});
    std::string target = formattext("%s%s", {folder, e.name});
    if (fileexists(target)) continue;
    if (projectfile(uppercase(splitext(target).ext))) continue;
    filecopy(source, target);
    qwrite(formattext("Copied From %s\nTo:  %s\n", {source, target}));
  }
}

bool projectfile(std::string_view upperext) {
  return upperext == ".SD" || upperext == ".CRL" || upperext == ".HTML" || upperext == ".TXT";
}

}  // namespace qs
