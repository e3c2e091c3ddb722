#include "files/paths.h"

#include <cctype>

#include "foundation/error.h"
#include "platform/platform.h"

namespace qs {
namespace {

constexpr const char* kUnit = "paths";
constexpr size_t kMaxPath = 255;

void checklength(std::string_view s, size_t limit) {
  if (s.size() > limit) raise(err::kPathTooLong, kUnit, 0);
}

bool isdriveletter(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

bool hasdrive(std::string_view p) {
  return p.size() >= 2 && isdriveletter(p[0]) && p[1] == ':';
}

bool hasdriveroot(std::string_view p) {
  return hasdrive(p) && p.size() >= 3 && p[2] == '\\';
}

bool isunc(std::string_view p) {
  return p.size() >= 2 && p[0] == '\\' && p[1] == '\\';
}

// Position of the "." that starts the extension, or npos.
size_t extensionstart(std::string_view p) {
  for (size_t i = p.size(); i-- > 0;) {
    if (p[i] == '\\') return std::string_view::npos;
    if (p[i] == '.') return (i == 0 || p[i - 1] != '.') ? i : std::string_view::npos;
  }
  return std::string_view::npos;
}

// The current folder of a drive; a drive without one stands at its root.
std::string currentof(char drive) {
  std::string f = platform::drivefolder(drive);
  if (f.empty()) return std::string(1, drive) + ":\\";
  return f;
}

// "X:" of the working folder, or "C:" when it is a network path.
std::string currentdrive() {
  std::string w = platform::workfolder();
  return hasdrive(w) ? w.substr(0, 2) : std::string("C:");
}

std::string absolutefolder(std::string_view folder) {
  if (hasdriveroot(folder) || isunc(folder)) return std::string(folder);
  if (hasdrive(folder)) {
    std::string base = currentof(folder[0]);
    if (base.back() != '\\') base += '\\';
    return base + std::string(folder.substr(2));
  }
  if (!folder.empty() && folder[0] == '\\') return currentdrive() + std::string(folder);
  std::string base = platform::workfolder();
  if (folder.empty()) return base;
  if (base.back() != '\\') base += '\\';
  return base + std::string(folder);
}

// Length of the part that ".." can never remove: "X:\" or "\\server\share\".
size_t rootlength(const std::string& p) {
  if (hasdriveroot(p)) return 3;
  if (!isunc(p)) return 0;
  size_t server = p.find('\\', 2);
  if (server == std::string::npos) return p.size();
  size_t share = p.find('\\', server + 1);
  return share == std::string::npos ? p.size() : share + 1;
}

std::string collapsedoubles(std::string_view p) {
  std::string r;
  r.reserve(p.size());
  for (size_t i = 0; i < p.size(); ++i)
    if (!(p[i] == '\\' && i > 1 && r.back() == '\\')) r += p[i];
  return r;
}

void removedots(std::string& p) {
  for (size_t i = p.find("\\.\\"); i != std::string::npos; i = p.find("\\.\\", i)) p.erase(i, 2);
}

// Each "\..\" takes the step before it away; at the root, normalising stops.
bool removeparents(std::string& p) {
  size_t root = rootlength(p);
  for (size_t i = p.find("\\..\\"); i != std::string::npos; i = p.find("\\..\\")) {
    if (i < root || i == 0) return false;
    size_t start = p.rfind('\\', i - 1);
    start = start == std::string::npos ? 0 : start + 1;
    if (start < root) return false;
    p.erase(start, i + 4 - start);
  }
  return true;
}

std::string normalise(std::string_view path) {
  std::string p = collapsedoubles(path);
  removedots(p);
  bool parent = p.size() >= 3 && p.compare(p.size() - 3, 3, "\\..") == 0;
  if (parent) p += '\\';
  if (!removeparents(p)) return p;
  if (parent && p.size() > rootlength(p)) p.pop_back();
  if (p.size() >= 2 && p.compare(p.size() - 2, 2, "\\.") == 0) {
    p.erase(p.size() - 2);
    if (p.size() == 2 && hasdrive(p)) p += '\\';
  }
  return p;
}

}  // namespace

PathSplit splitpath(std::string_view path) {
  checklength(path, kMaxPath);
  size_t i = path.find_last_of("\\:");
  if (i == std::string_view::npos) return {"", std::string(path)};
  return {std::string(path.substr(0, i + 1)), std::string(path.substr(i + 1))};
}

std::string joinpath(std::string_view folder, std::string_view name) {
  checklength(folder, kMaxPath);
  checklength(name, kMaxPath);
  if (hasdriveroot(name) || isunc(name)) return normalise(name);
  if (!name.empty() && name[0] == '\\') return normalise(currentdrive() + std::string(name));
  std::string base;
  if (hasdrive(name)) {
    base = currentof(name[0]);
    name.remove_prefix(2);
  } else {
    base = absolutefolder(folder);
  }
  if (base.empty() || base.back() != '\\') base += '\\';
  return normalise(base + std::string(name));
}

ExtSplit splitext(std::string_view path) {
  checklength(path, kMaxPath + 1);
  size_t i = extensionstart(path);
  if (i == std::string_view::npos) return {std::string(path), ""};
  return {std::string(path.substr(0, i)), std::string(path.substr(i))};
}

std::string joinext(std::string_view base, std::string_view ext) {
  checklength(base, kMaxPath + 1);
  size_t i = extensionstart(base);
  std::string r(base.substr(0, i == std::string_view::npos ? base.size() : i));
  r += ext;
  checklength(r, kMaxPath);
  return r;
}

std::string exefolder() {
  return splitpath(platform::exepath()).folder;
}

std::string exename() {
  return splitpath(platform::exepath()).name;
}

std::string workfolder() {
  return platform::workfolder();
}

}  // namespace qs
