// POSIX host layer. The host's whole file system is drive C:; other drives
// and network paths do not exist. Names are looked up exactly first and then
// without regard to letter case, as on a Windows file system. Failures are
// raised with the number the same failure has on Windows.

#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "foundation/error.h"
#include "platform/platform.h"

extern char** environ;

namespace qs::platform {
namespace {

std::vector<std::string> g_args;

constexpr const char* kUnit = "platform";

// Windows error numbers the layer reports.
enum WinError {
  kFileNotFound = 2,
  kPathNotFound = 3,
  kAccessDenied = 5,
  kWriteProtect = 19,
  kGenFailure = 31,
  kSharing = 32,
  kDiskFull = 112,
  kDirNotEmpty = 145,
  kAlreadyExists = 183,
  kNameTooLong = 206,
};

[[noreturn]] void fail(int winerror) {
  qs::raise(7000 + winerror, kUnit, 0);
}

// The Windows number of an errno value. ENOENT is decided by the caller,
// which knows whether the folder of the last step exists.
int winerror(int e) {
  switch (e) {
    case ENOENT:
      return kFileNotFound;
    case ENOTDIR:
      return kPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
      return kAccessDenied;
    case EEXIST:
      return kAlreadyExists;
    case ENOTEMPTY:
      return kDirNotEmpty;
    case ENOSPC:
      return kDiskFull;
    case ENAMETOOLONG:
      return kNameTooLong;
    case EBUSY:
    case ETXTBSY:
      return kSharing;
    case EROFS:
      return kWriteProtect;
    default:
      return kGenFailure;
  }
}

// Windows-1252 upper-casing, so that name comparisons agree with the rest of
// the program's letter rules.
unsigned char upper1252(unsigned char c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  switch (c) {
    case 0x9A:
      return 0x8A;
    case 0x9C:
      return 0x8C;
    case 0x9E:
      return 0x8E;
    case 0xFF:
      return 0x9F;
    default:
      return c;
  }
}

std::string upper(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = static_cast<char>(upper1252(static_cast<unsigned char>(c)));
  return r;
}

// ---- paths ----

// A host path, or nothing when the internal path lies on a drive or share
// that does not exist here.
struct HostPath {
  bool exists = false;
  std::string path;
};

bool hasdrive(std::string_view p) {
  return p.size() >= 2 && p[1] == ':' && std::isalpha(static_cast<unsigned char>(p[0]));
}

std::string slashes(std::string_view p) {
  std::string r(p);
  std::replace(r.begin(), r.end(), '\\', '/');
  return r;
}

HostPath tohostform(std::string_view p) {
  if (p.size() >= 2 && p[0] == '\\' && p[1] == '\\') return {};
  if (hasdrive(p)) {
    if (p[0] != 'C' && p[0] != 'c') return {};
    p.remove_prefix(2);
  }
  std::string r = slashes(p);
  if (r.empty()) r = ".";
  return {true, r};
}

// The steps of a host path; the leading "/" of an absolute path is kept in
// front of the first step by the caller.
std::vector<std::string> steps(const std::string& p) {
  std::vector<std::string> r;
  size_t i = 0;
  while (i <= p.size()) {
    size_t j = p.find('/', i);
    if (j == std::string::npos) j = p.size();
    if (j > i) r.emplace_back(p, i, j - i);
    i = j + 1;
  }
  return r;
}

bool entryexists(const std::string& p) {
  struct stat st;
  return ::lstat(p.c_str(), &st) == 0;
}

bool isfolder(const std::string& p) {
  struct stat st;
  return ::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool listingless(const std::string& a, const std::string& b);

// Folders already read for a case-insensitive match, by their real path:
// upper-cased name -> the names on disk with those letters. This layer keeps
// the lists current for what it creates and removes itself, and forgets them
// all whenever a child ran, so that writing many new files into one folder
// reads that folder once instead of once per file.
using FolderNames = std::unordered_map<std::string, std::vector<std::string>>;
std::unordered_map<std::string, FolderNames> g_foldernames;

std::string realfolder(const std::string& folder) {
  char* r = ::realpath(folder.empty() ? "." : folder.c_str(), nullptr);
  if (!r) return {};
  std::string k = r;
  std::free(r);
  return k;
}

FolderNames* foldernames(const std::string& folder) {
  std::string key = realfolder(folder);
  if (key.empty()) return nullptr;
  auto it = g_foldernames.find(key);
  if (it != g_foldernames.end()) return &it->second;
  DIR* d = ::opendir(key.c_str());
  if (!d) return nullptr;
  FolderNames& names = g_foldernames[key];
  while (dirent* de = ::readdir(d)) names[upper(de->d_name)].emplace_back(de->d_name);
  ::closedir(d);
  return &names;
}

std::string parentof(const std::string& p);
std::string lastname(const std::string& p);

/// Records that this layer created (or removed) the entry at host path p.
void noteentry(const std::string& p, bool created) {
  if (g_foldernames.empty()) return;
  auto it = g_foldernames.find(realfolder(parentof(p)));
  if (it == g_foldernames.end()) return;
  std::string name = lastname(p);
  std::vector<std::string>& same = it->second[upper(name)];
  auto at = std::find(same.begin(), same.end(), name);
  if (created && at == same.end()) same.push_back(name);
  if (!created && at != same.end()) same.erase(at);
}

bool listingless(const std::string& a, const std::string& b);

// The entry of folder whose name equals step without regard to case: the
// first one in listing order, or step itself when there is none.
std::string caseless(const std::string& folder, const std::string& step) {
  FolderNames* names = foldernames(folder);
  if (!names) return step;
  auto it = names->find(upper(step));
  if (it == names->end() || it->second.empty()) return step;
  return *std::min_element(it->second.begin(), it->second.end(), listingless);
}

// The host path with each step matched case-insensitively where the exact
// name is absent. Steps that match nothing stay as written.
std::string resolve(const std::string& p) {
  if (entryexists(p)) return p;
  bool absolute = !p.empty() && p[0] == '/';
  std::string done = absolute ? "/" : "";
  bool found = true;
  for (const std::string& s : steps(p)) {
    std::string exact = done + s;
    if (found && s != "." && s != ".." && !entryexists(exact)) {
      std::string m = caseless(done, s);
      found = m != s;
      exact = done + m;
    }
    done = exact + "/";
  }
  // A final "/" stays as written.
  if (done.size() > 1 && p.back() != '/') done.pop_back();
  if (done.empty()) done = ".";
  return done;
}

// Internal path to resolved host path; raises 7003 for a drive or share
// that does not exist.
std::string host(std::string_view p) {
  HostPath h = tohostform(p);
  if (!h.exists) fail(kPathNotFound);
  return resolve(h.path);
}

std::string lastname(const std::string& p) {
  std::string q = p;
  while (q.size() > 1 && q.back() == '/') q.pop_back();
  size_t i = q.rfind('/');
  return i == std::string::npos ? q : q.substr(i + 1);
}

std::string parentof(const std::string& p) {
  std::string q = p;
  while (q.size() > 1 && q.back() == '/') q.pop_back();
  size_t i = q.rfind('/');
  if (i == std::string::npos) return ".";
  if (i == 0) return "/";
  return q.substr(0, i);
}

// ENOENT is "file not found" when the folder of the last step exists, else
// "path not found".
[[noreturn]] void failerrno(int e, const std::string& p) {
  if (e == ENOENT) fail(isfolder(parentof(p)) ? kFileNotFound : kPathNotFound);
  fail(winerror(e));
}

std::string internal(const std::string& hostpath) {
  std::string r = "C:";
  for (char c : hostpath) r += c == '/' ? '\\' : c;
  return r;
}

// ---- entries ----

bool readonlymode(mode_t m) {
  return (m & S_IWUSR) == 0;
}

void setlocaltime(time_t secs, Entry& e) {
  struct tm t {};
  localtime_r(&secs, &t);
  e.year = t.tm_year + 1900;
  e.month = t.tm_mon + 1;
  e.day = t.tm_mday;
  e.hour = t.tm_hour;
  e.minute = t.tm_min;
  e.second = t.tm_sec;
}

// A link is seen as what it points to; a dangling link as the link itself.
Entry makeentry(const std::string& name, const std::string& full) {
  struct stat st;
  if (::stat(full.c_str(), &st) != 0 && ::lstat(full.c_str(), &st) != 0)
    std::memset(&st, 0, sizeof st);
  Entry e{};
  e.name = name;
  bool folder = S_ISDIR(st.st_mode);
  e.attributes = folder ? kFolder : kArchive;
  if (readonlymode(st.st_mode)) e.attributes |= kReadOnly;
  if (name.size() > 1 && name[0] == '.' && name != "..") e.attributes |= kHidden;
  setlocaltime(st.st_mtime, e);
  e.size = folder ? 0 : static_cast<uint32_t>(static_cast<uint64_t>(st.st_size) & 0xFFFFFFFFu);
  return e;
}

// Upper-cased name order, ties by raw bytes; "." and ".." first.
bool listingless(const std::string& a, const std::string& b) {
  auto rank = [](const std::string& n) { return n == "." ? 0 : n == ".." ? 1 : 2; };
  if (rank(a) != rank(b)) return rank(a) < rank(b);
  std::string ua = upper(a), ub = upper(b);
  if (ua != ub) return ua < ub;
  return a < b;
}

std::vector<std::string> sortednames(const std::string& folder, bool* ok) {
  std::vector<std::string> names;
  DIR* d = ::opendir(folder.c_str());
  *ok = d != nullptr;
  if (!d) return names;
  while (dirent* de = ::readdir(d)) names.emplace_back(de->d_name);
  ::closedir(d);
  std::sort(names.begin(), names.end(), listingless);
  return names;
}

std::string joinhost(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder == ".") return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// Read-only files refuse change, also for the root user, so the layer checks
// the owner's write bit itself rather than relying on the kernel.
void refusereadonly(const std::string& p) {
  struct stat st;
  if (::stat(p.c_str(), &st) == 0 && !S_ISDIR(st.st_mode) && readonlymode(st.st_mode))
    fail(kAccessDenied);
}

// Closes a descriptor when the scope ends, also on a raised error.
struct Fd {
  int fd;
  explicit Fd(int d) : fd(d) {}
  ~Fd() {
    if (fd >= 0) ::close(fd);
  }
  int release() { return std::exchange(fd, -1); }
};

// ---- children ----

// Windows command-line splitting: blanks separate, double quotes group and
// are dropped, backslashes are literal except before a quote.
// A run of backslashes at cl[i]: 2n before a quote give n and leave the
// quote to act, 2n+1 give n and a literal quote; elsewhere all are literal.
// Gives the position after what it consumed.
size_t backslashes(std::string_view cl, size_t i, std::string& cur) {
  size_t n = 0;
  while (i < cl.size() && cl[i] == '\\') ++n, ++i;
  if (i >= cl.size() || cl[i] != '"') return cur.append(n, '\\'), i;
  cur.append(n / 2, '\\');
  if (n % 2 == 0) return i;
  cur += '"';
  return i + 1;
}

std::vector<std::string> splitcommand(std::string_view cl) {
  std::vector<std::string> args;
  std::string cur;
  bool inarg = false, quoted = false;
  for (size_t i = 0; i < cl.size();) {
    char c = cl[i];
    bool blank = (c == ' ' || c == '\t') && !quoted;
    if (blank && inarg) args.push_back(std::exchange(cur, std::string()));
    inarg = !blank;
    if (c == '\\') {
      i = backslashes(cl, i, cur);
      continue;
    }
    if (c == '"') quoted = !quoted;
    if (!blank && c != '"') cur += c;
    ++i;
  }
  if (inarg) args.push_back(cur);
  return args;
}

// An argument with "\" and no "://" is a path: drive prefix dropped, "\"
// made "/", and its steps matched without regard to case.
std::string hostargument(const std::string& a) {
  if (a.find('\\') == std::string::npos || a.find("://") != std::string::npos) return a;
  std::string_view v(a);
  if (hasdrive(v)) v.remove_prefix(2);
  std::string r = slashes(v);
  return r.empty() ? r : resolve(r);
}

// Starts argv[0] (a path when direct, else looked up on PATH) with only the
// standard streams; -1 when it cannot start.
pid_t spawn(std::vector<char*>& argv, bool direct) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
  posix_spawn_file_actions_addclosefrom_np(&actions, 3);
#endif
  pid_t pid = 0;
  int rc = direct ? ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ)
                  : ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return rc == 0 ? pid : -1;
}

int waitchild(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) return 0;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return 0;
}

}  // namespace

void init(int argc, char** argv) {
  g_args.assign(argv, argv + argc);
}

std::string commandline() {
  std::string r;
  for (size_t i = 0; i < g_args.size(); ++i) {
    if (i > 0) r += ' ';
    // The program name is quoted when it holds a blank, as Windows gives it,
    // so that taking the line apart skips exactly the name.
    bool quote = i == 0 && g_args[i].find_first_of(" \t") != std::string::npos;
    r += quote ? '"' + g_args[i] + '"' : g_args[i];
  }
  return r;
}

void writeout(std::string_view bytes) {
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

void flushout() {
  std::fflush(stdout);
}

int readchar() {
  int c = std::fgetc(stdin);
  return c == EOF ? -1 : c;
}

std::string exepath() {
  std::string buf(4096, '\0');
  ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
  if (n <= 0) return internal(g_args.empty() ? std::string() : g_args[0]);
  buf.resize(static_cast<size_t>(n));
  return internal(buf);
}

std::string workfolder() {
  std::string buf(4096, '\0');
  if (!::getcwd(buf.data(), buf.size())) return "C:\\";
  buf.resize(std::strlen(buf.c_str()));
  std::string r = internal(buf);
  if (r == "C:") r = "C:\\";
  return r;
}

std::string drivefolder(char drive) {
  return drive == 'C' || drive == 'c' ? workfolder() : std::string();
}

int processid() {
  return static_cast<int>(::getpid());
}

std::optional<std::string> getenv(std::string_view name) {
  const char* v = std::getenv(std::string(name).c_str());
  if (!v) return std::nullopt;
  return std::string(v);
}

LocalTime now() {
  struct timeval tv;
  ::gettimeofday(&tv, nullptr);
  struct tm t {};
  time_t secs = tv.tv_sec;
  localtime_r(&secs, &t);
  return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_wday,
          t.tm_hour,        t.tm_min,     t.tm_sec,  static_cast<int>(tv.tv_usec / 1000)};
}

std::vector<Entry> listfolder(std::string_view folder) {
  HostPath h = tohostform(folder);
  if (!h.exists) fail(kPathNotFound);
  std::string p = resolve(h.path);
  bool ok = false;
  std::vector<std::string> names = sortednames(p, &ok);
  if (!ok) {
    if (errno == ENOENT || errno == ENOTDIR) fail(kPathNotFound);
    fail(winerror(errno));
  }
  std::vector<Entry> r;
  r.reserve(names.size());
  for (const std::string& n : names) r.push_back(makeentry(n, joinhost(p, n)));
  return r;
}

std::optional<Entry> stat(std::string_view path) {
  HostPath h = tohostform(path);
  if (!h.exists) return std::nullopt;
  std::string p = resolve(h.path);
  struct stat st;
  if (::stat(p.c_str(), &st) != 0 && ::lstat(p.c_str(), &st) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
    fail(winerror(errno));
  }
  std::vector<std::string> s = steps(p);
  return makeentry(s.empty() ? p : s.back(), p);
}

void makefolder(std::string_view path) {
  std::string p = host(path);
  if (::mkdir(p.c_str(), 0777) != 0) {
    if (errno == ENOENT) fail(kPathNotFound);
    failerrno(errno, p);
  }
  noteentry(p, true);
}

void removefile(std::string_view path) {
  std::string p = host(path);
  refusereadonly(p);
  if (::unlink(p.c_str()) != 0) failerrno(errno, p);
  noteentry(p, false);
}

void renamefile(std::string_view from, std::string_view to) {
  std::string f = host(from), t = host(to);
  if (!entryexists(f)) failerrno(ENOENT, f);
  if (entryexists(t)) fail(kAlreadyExists);
  if (::rename(f.c_str(), t.c_str()) != 0) failerrno(errno, t);
  noteentry(f, false);
  noteentry(t, true);
}

// Like the Windows copy, the target keeps the source's last-write time and
// read-only attribute.
void copyfile(std::string_view from, std::string_view to) {
  writefile(to, readfile(from));
  std::string f = host(from), t = host(to);
  struct stat st;
  if (::stat(f.c_str(), &st) != 0) return;
  struct timespec times[2] = {st.st_atim, st.st_mtim};
  ::utimensat(AT_FDCWD, t.c_str(), times, 0);
  if (readonlymode(st.st_mode)) ::chmod(t.c_str(), st.st_mode & 07777);
}

std::string readfile(std::string_view path) {
  std::string p = host(path);
  Fd f(::open(p.c_str(), O_RDONLY | O_CLOEXEC));
  if (f.fd < 0) failerrno(errno, p);
  struct stat st;
  if (::fstat(f.fd, &st) == 0 && S_ISDIR(st.st_mode)) fail(kAccessDenied);
  std::string r;
  if (st.st_size > 0) r.reserve(static_cast<size_t>(st.st_size));
  char buf[65536];
  for (ssize_t n; (n = ::read(f.fd, buf, sizeof buf)) != 0;) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) fail(winerror(errno));
    r.append(buf, static_cast<size_t>(n));
  }
  return r;
}

void writefile(std::string_view path, std::string_view bytes) {
  std::string p = host(path);
  refusereadonly(p);
  Fd f(::open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (f.fd < 0) failerrno(errno, p);
  noteentry(p, true);
  for (size_t done = 0; done < bytes.size();) {
    ssize_t n = ::write(f.fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) fail(winerror(errno));
    done += static_cast<size_t>(n);
  }
  if (::close(f.release()) != 0) fail(winerror(errno));
}

int runchild(std::string_view commandline, bool direct) {
  std::vector<std::string> args = splitcommand(commandline);
  if (args.empty()) return 0;
  for (std::string& a : args) a = hostargument(a);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  flushout();
  pid_t pid = spawn(argv, direct);
  int code = pid < 0 ? 0 : waitchild(pid);
  // A child may have created or removed anything.
  g_foldernames.clear();
  return code;
}

void exitprocess(int code) {
  flushout();
  int status = ((code % 256) + 256) % 256;
  if (status == 0 && code != 0) status = 255;
  std::exit(status);
}

}  // namespace qs::platform
