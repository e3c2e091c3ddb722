#include "files/disk.h"

#include "files/paths.h"
#include "foundation/error.h"
#include "foundation/text.h"

namespace qs {
namespace {

constexpr const char* kUnit = "disk";

constexpr int kFileNotFound = err::kSystemBase + 2;
constexpr int kPathNotFound = err::kSystemBase + 3;
constexpr int kAccessDenied = err::kSystemBase + 5;
constexpr int kBadNetPath = err::kSystemBase + 53;
constexpr int kBadNetName = err::kSystemBase + 67;

bool countsasabsent(int code) {
  return code == kFileNotFound || code == kPathNotFound || code == kBadNetPath ||
         code == kBadNetName;
}

bool haswildcards(std::string_view step) {
  return step.find_first_of("*?") != std::string_view::npos;
}

// A step that only a listing can match: one with wildcards, or one ending in
// "." (the pattern "README." matches the entry "README", which has no dot).
bool needslisting(std::string_view step) {
  if (haswildcards(step)) return true;
  return step.size() > 1 && step.back() == '.' && step != "..";
}

// Iterative wildcard match with backtracking to the last "*": linear in
// practice, quadratic only for patterns with many stars.
bool globmatch(std::string_view s, std::string_view p) {
  size_t si = 0, pi = 0, star = std::string_view::npos, mark = 0;
  while (si < s.size()) {
    if (pi < p.size() && (p[pi] == '?' || p[pi] == s[si])) {
      ++si, ++pi;
    } else if (pi < p.size() && p[pi] == '*') {
      star = pi++;
      mark = si;
    } else if (star != std::string_view::npos) {
      pi = star + 1;
      si = ++mark;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}

uint32_t listingword(const platform::Entry& e) {
  return (e.attributes & platform::kFolder) ? e.attributes : e.attributes | kNotFolder;
}

// The single entry named by a last step without wildcards, found by a direct
// query instead of a listing of the whole folder.
std::vector<platform::Entry> namedentry(std::string_view path, const PathSplit& parts,
                                        uint32_t mask) {
  std::vector<platform::Entry> r;
  std::optional<platform::Entry> e = platform::stat(path);
  if (!e) {
    if (!parts.folder.empty() && !platform::stat(parts.folder)) raise(kPathNotFound, kUnit, 0);
    return r;
  }
  e->attributes = listingword(*e);
  if (e->attributes & mask) r.push_back(std::move(*e));
  return r;
}

}  // namespace

bool patternmatches(std::string_view name, std::string_view pattern) {
  std::string n = uppercase(name);
  std::string p = uppercase(pattern);
  if (n.find('.') == std::string::npos) {
    n += '.';
    if (p.find('.') == std::string::npos) p += '.';
  }
  return globmatch(n, p);
}

bool fileexists(std::string_view path) {
  PathSplit parts = splitpath(path);
  if (parts.name.empty()) return false;
  try {
    if (!needslisting(parts.name)) return platform::stat(path).has_value();
    for (const platform::Entry& e : platform::listfolder(parts.folder))
      if (patternmatches(e.name, parts.name)) return true;
    return false;
  } catch (const RuntimeError& e) {
    if (countsasabsent(e.code())) return false;
    throw;
  }
}

std::vector<platform::Entry> listfolder(std::string_view pattern, uint32_t mask) {
  PathSplit parts = splitpath(pattern);
  if (parts.name.empty()) return {};
  if (!needslisting(parts.name)) return namedentry(pattern, parts, mask);
  std::vector<platform::Entry> r;
  for (platform::Entry& e : platform::listfolder(parts.folder)) {
    e.attributes = listingword(e);
    if ((e.attributes & mask) && patternmatches(e.name, parts.name)) r.push_back(std::move(e));
  }
  return r;
}

void makefolder(std::string_view folder) {
  platform::makefolder(folder);
}

void removefile(std::string_view path) {
  try {
    platform::removefile(path);
  } catch (const RuntimeError& e) {
    // A file that is not there needs no deleting.
    if (e.code() != kFileNotFound && e.code() != kPathNotFound) throw;
  }
}

void filecopy(std::string_view source, std::string_view target) {
  platform::copyfile(source, target);
}

std::string loadtext(std::string_view path) {
  std::string bytes = platform::readfile(path);
  std::string text;
  text.reserve(bytes.size());
  for (char c : bytes)
    if (c != '\r') text += c;
  return text;
}

namespace {

// Moves an existing file to its ".BAK" name. A backup that cannot be made
// because a file is gone or refuses access is skipped; the write goes on.
void keepbackup(std::string_view path) {
  std::string backup = joinext(path, ".BAK");
  try {
    platform::removefile(backup);
  } catch (const RuntimeError& e) {
    if (e.code() == kAccessDenied) return;
    if (e.code() != kFileNotFound) throw;
  }
  try {
    platform::renamefile(path, backup);
  } catch (const RuntimeError& e) {
    if (e.code() != kFileNotFound && e.code() != kAccessDenied) throw;
  }
}

std::string withcrlf(std::string_view text) {
  std::string r;
  r.reserve(text.size() + text.size() / 32 + 16);
  for (char c : text) {
    if (c == '\n') r += '\r';
    r += c;
  }
  return r;
}

}  // namespace

void savetext(std::string_view path, std::string_view text) {
  std::optional<platform::Entry> existing = platform::stat(path);
  if (existing) {
    // A folder cannot be written as a file; the write below reports it.
    bool folder = existing->attributes & platform::kFolder;
    if (!folder && (existing->attributes & platform::kReadOnly)) raise(kAccessDenied, kUnit, 0);
    if (!folder) keepbackup(path);
  }
  platform::writefile(path, withcrlf(text));
}

}  // namespace qs
