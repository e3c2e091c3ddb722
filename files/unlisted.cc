// The report of source files that no listed page accounts for.
#include "files/unlisted.h"

#include <array>
#include <tuple>

#include "files/disk.h"
#include "files/paths.h"
#include "files/sources.h"
#include "foundation/console.h"
#include "foundation/error.h"
#include "foundation/errorreport.h"
#include "foundation/factstore.h"
#include "foundation/formatter.h"
#include "foundation/text.h"

namespace qs {

namespace {

constexpr std::array<std::string_view, 15> kNonProcessible = {
    ".JS",  ".CSS", ".JPG", ".JPEG", ".PNG",  ".SVG", ".GIF", ".MP4",
    ".MOV", ".MP3", ".OGG", ".WEBM", ".WEBP", ".AVI", ".OGV"};

/// A folder listing; an error when it starts is reported and gives nothing.
std::vector<platform::Entry> listreported(std::string_view pattern, uint32_t mask) {
  try {
    return listfolder(pattern, mask);
  } catch (const RuntimeError& e) {
    error(e);
    return {};
  }
}

/// The output page of a source below the fragment root: the build folder
/// root (made absolute) in front of its relative path, with the output
/// extension. The root is exchanged at the front only, so an executable
/// folder whose path holds the setting texts is left alone.
std::string targetof(std::string_view relative) {
  const FactStore& f = facts();
  std::string buildroot = verifyfile(2, f.buildfolder.first() ? f.buildfolder.first()->folder : "");
  std::string output = f.output.first() ? f.output.first()->extension : "";
  return joinext(splitext(buildroot + std::string(relative)).base, output);
}

/// Records the file when it is unlisted and its output is missing or not
/// newer.
void examine(const Slist& listed, std::string_view fragmentroot, std::string_view folder,
             const platform::Entry& e) {
  if (isnonprocessible(uppercase(splitext(e.name).ext))) return;
  std::string path = formattext("%s%s", {folder, e.name});
  if (shouldnotbeseenearlier(listed, path)) return;
  auto relative = afterprefix(fragmentroot, path);
  if (!relative) return;
  std::string target = targetof(*relative);
  if (!checkifnewer(target, e.day, e.month, e.year, e.hour, e.minute, e.second)) return;
  qwrite(formattext("Unlisted: % \n", {target}));
  facts().un.append(std::move(*relative));
}

}  // namespace

void walkunknowns(const Slist& listed, std::string_view fragmentroot, std::string_view folder) {
  walkunknowns2(listed, fragmentroot, folder);
  for (const platform::Entry& e : listreported(std::string(folder) + "*", kMaskFolders))
    if (e.name != "." && e.name != "..")
      walkunknowns(listed, fragmentroot, formattext("%s%s\\", {folder, e.name}));
}

void walkunknowns2(const Slist& listed, std::string_view fragmentroot, std::string_view folder) {
  for (const platform::Entry& e : listreported(std::string(folder) + "*.*", kMaskFiles))
    examine(listed, fragmentroot, folder, e);
}

bool isnonprocessible(std::string_view upperext) {
  for (std::string_view x : kNonProcessible)
    if (upperext == x) return true;
  return false;
}

bool shouldnotbeseenearlier(const Slist& listed, std::string_view path) {
  for (const std::string& name : listed)
    if (substrpos(path, name)) return true;
  return false;
}

bool checkifnewer(std::string_view target, int day, int month, int year, int hour, int minute,
                  int second) {
  if (!fileexists(target)) return true;
  std::vector<platform::Entry> entries = listfolder(target, kMaskFiles);
  if (entries.empty()) return false;  // the output path names a folder
  const platform::Entry& t = entries.front();
  return comes_after({t.day, t.month, t.year, t.hour, t.minute, t.second},
                     {day, month, year, hour, minute, second});
}

bool comes_after(const std::vector<int>& targetstamp, const std::vector<int>& sourcestamp) {
  if (targetstamp.size() != 6 || sourcestamp.size() != 6) return false;
  const auto& t = targetstamp;
  const auto& s = sourcestamp;
  return onetrue(s[2], s[1], s[0], s[3], s[4], s[5], t[2], t[1], t[0], t[3], t[4], t[5]);
}

bool onetrue(int y, int mo, int d, int h, int mi, int s, int ty, int tmo, int td, int th, int tmi,
             int ts) {
  // Year down to second, the source counting as newer within the same
  // second.
  return std::tie(y, mo, d, h, mi, s) >= std::tie(ty, tmo, td, th, tmi, ts);
}

}  // namespace qs
