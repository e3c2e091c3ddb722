// Win32 host layer, on the system's ANSI (8-bit) interface. Windows already
// has the behaviour the rest of the program expects (drive letters, "\"
// separators, attributes, case-insensitive names, COMSPEC), so this layer
// passes paths through unchanged and reports the system's own error numbers.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "foundation/error.h"
#include "platform/platform.h"

namespace qs::platform {

namespace {

constexpr const char* kUnit = "platform";

/// Raises 7000 plus the number the system gave for the last failure. The
/// position is 0 for every call, as on the other host, so that a report of
/// an uncaught system error reads the same everywhere.
[[noreturn]] void raiselast() {
  qs::raise(qs::err::kSystemBase + static_cast<int>(GetLastError()), kUnit, 0);
}

/// A NUL-terminated copy for the system calls.
std::string z(std::string_view s) {
  return std::string(s);
}

/// Upper-casing of the listing order, Windows-1252 letters included, so
/// that this host sorts exactly as the POSIX one.
unsigned char upper1252(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
  if (c == 0x9A || c == 0x9C || c == 0x9E) return static_cast<unsigned char>(c - 16);
  if (c == 0xFF) return 0x9F;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
  return c;
}

/// "." first, ".." second, every other name after them.
int dotrank(const std::string& name) {
  return name == "." ? 0 : name == ".." ? 1 : 2;
}

std::string upper(const std::string& name) {
  std::string r(name);
  for (char& c : r) c = static_cast<char>(upper1252(static_cast<unsigned char>(c)));
  return r;
}

/// "." and ".." first, then by upper-cased name, ties by raw bytes (as
/// unsigned values, which is how std::string compares).
bool listorder(const Entry& a, const Entry& b) {
  if (dotrank(a.name) != dotrank(b.name)) return dotrank(a.name) < dotrank(b.name);
  int byletters = upper(a.name).compare(upper(b.name));
  return byletters != 0 ? byletters < 0 : a.name < b.name;
}

/// The last-write time in the local time zone, with the daylight-saving rule
/// of that date (as the POSIX host's localtime does).
void setlocaltime(Entry& e, const FILETIME& written) {
  SYSTEMTIME utc{}, local{};
  if (!FileTimeToSystemTime(&written, &utc) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
    local = utc;
  e.year = local.wYear;
  e.month = local.wMonth;
  e.day = local.wDay;
  e.hour = local.wHour;
  e.minute = local.wMinute;
  e.second = local.wSecond;
}

Entry makeentry(std::string name, DWORD attributes, const FILETIME& written, DWORD sizelow) {
  Entry e{};
  e.name = std::move(name);
  e.attributes = attributes;
  e.size = sizelow;
  setlocaltime(e, written);
  return e;
}

/// The enumeration pattern for every entry of folder ("" is the current one).
std::string allpattern(std::string_view folder) {
  std::string p(folder);
  if (!p.empty() && p.back() != '\\' && p.back() != '/' && p.back() != ':') p += '\\';
  return p + "*";
}

/// The path's last step (after the last "\", "/" or ":").
std::string_view laststep(std::string_view path) {
  size_t cut = path.find_last_of("\\/:");
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

/// The path without final separators, so that "C:\a\sub\" names the
/// folder sub itself; a root keeps its separator.
std::string withoutfinalseparator(std::string_view path) {
  std::string p(path);
  auto separator = [](char c) { return c == '\\' || c == '/'; };
  while (p.size() > 1 && separator(p.back()) && !(p.size() == 3 && p[1] == ':')) p.pop_back();
  return p;
}

/// The last step's name as stored on disk (its letter case), when the
/// system can say; the step as written otherwise (a drive root, say).
std::string storedname(std::string_view path) {
  std::string p = withoutfinalseparator(path);
  std::string step(laststep(p));
  if (step.empty() || step == "." || step == ".." || step.find_first_of("*?") != std::string::npos)
    return step;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(p.c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return step;
  FindClose(h);
  return fd.cFileName;
}

/// Refuses to write over a read-only file, as the system does. Checked here
/// too because a file system underneath that does not enforce the attribute
/// for every user (Wine run as root, say) would otherwise let the write by.
void refusereadonly(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
      !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    SetLastError(ERROR_ACCESS_DENIED);
    raiselast();
  }
}

/// True when path names an existing entry that is not a folder. Listing
/// such a path reports "invalid name" or "not a folder" depending on the
/// system; the listing's callers know only "the folder is missing".
bool isfile(std::string_view path) {
  DWORD attributes = GetFileAttributesA(withoutfinalseparator(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

/// The failures that mean "no such entry": the last step or a folder on
/// the way missing, or a drive or share that is not there (Wine reports a
/// share on an unknown server as a bad device type).
bool absent(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_DEV_TYPE:
    case ERROR_BAD_NET_NAME:
      return true;
    default:
      return false;
  }
}

/// Closes a handle when the scope ends, also on a raised error.
struct HandleGuard {
  HANDLE h;
  ~HandleGuard() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};

/// Standard output in binary mode, so bytes go out exactly as written.
void binaryout() {
  static const bool done = [] {
    _setmode(_fileno(stdout), _O_BINARY);
    return true;
  }();
  (void)done;
}

/// A system call that fills a buffer and gives the needed size when it is
/// too small (GetModuleFileName-style calls differ and are handled there).
template <typename Call>
std::string sizedtext(Call call) {
  std::string buf(MAX_PATH, '\0');
  for (;;) {
    DWORD n = call(buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return "";
    if (n < buf.size()) return buf.substr(0, n);
    buf.assign(n + 1, '\0');
  }
}

}  // namespace

void init(int, char**) {
  binaryout();
}

std::string commandline() {
  const char* line = GetCommandLineA();
  return line ? line : "";
}

void writeout(std::string_view bytes) {
  binaryout();
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
  // GetModuleFileName truncates silently; a full buffer means "try larger".
  std::string buf(MAX_PATH, '\0');
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) raiselast();
    if (n < buf.size()) return buf.substr(0, n);
    buf.assign(buf.size() * 2, '\0');
  }
}

std::string workfolder() {
  std::string dir = sizedtext([](char* b, DWORD n) { return GetCurrentDirectoryA(n, b); });
  if (dir.empty()) raiselast();
  return dir;
}

std::string drivefolder(char drive) {
  char root[] = {drive, ':', '\\', '\0'};
  if (GetDriveTypeA(root) == DRIVE_NO_ROOT_DIR) return "";
  // "X:" alone names the drive's current folder.
  char bare[] = {drive, ':', '\0'};
  std::string dir =
      sizedtext([&](char* b, DWORD n) { return GetFullPathNameA(bare, n, b, nullptr); });
  // Some systems end the current drive's folder with "\"; the working-folder
  // form keeps it only at a root.
  if (dir.size() > 3 && dir.back() == '\\') dir.pop_back();
  return dir;
}

int processid() {
  return static_cast<int>(GetCurrentProcessId());
}

std::optional<std::string> getenv(std::string_view name) {
  std::string key = z(name);
  SetLastError(ERROR_SUCCESS);
  std::string value =
      sizedtext([&](char* b, DWORD n) { return GetEnvironmentVariableA(key.c_str(), b, n); });
  // An empty value and a missing variable both give 0; the last error tells.
  if (value.empty() && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
  return value;
}

LocalTime now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return LocalTime{t.wYear, t.wMonth,  t.wDay,    t.wDayOfWeek,
                   t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

std::vector<Entry> listfolder(std::string_view folder) {
  std::vector<Entry> out;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(allpattern(folder).c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) {
    // A drive root has no "." and "..": nothing matched is an empty folder.
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return out;
    SetLastError(isfile(folder) ? ERROR_PATH_NOT_FOUND : error);
    raiselast();
  }
  do {
    out.push_back(
        makeentry(fd.cFileName, fd.dwFileAttributes, fd.ftLastWriteTime, fd.nFileSizeLow));
  } while (FindNextFileA(h, &fd));
  DWORD error = GetLastError();
  FindClose(h);
  if (error != ERROR_NO_MORE_FILES) {
    SetLastError(error);
    raiselast();
  }
  std::sort(out.begin(), out.end(), listorder);
  return out;
}

std::optional<Entry> stat(std::string_view path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(z(path).c_str(), GetFileExInfoStandard, &data)) {
    if (absent(GetLastError())) return std::nullopt;
    raiselast();
  }
  return makeentry(storedname(path), data.dwFileAttributes, data.ftLastWriteTime,
                   data.nFileSizeLow);
}

void makefolder(std::string_view path) {
  if (!CreateDirectoryA(z(path).c_str(), nullptr)) raiselast();
}

void removefile(std::string_view path) {
  if (!DeleteFileA(z(path).c_str())) raiselast();
}

void renamefile(std::string_view from, std::string_view to) {
  if (!MoveFileA(z(from).c_str(), z(to).c_str())) raiselast();
}

void copyfile(std::string_view from, std::string_view to) {
  std::string target = z(to);
  refusereadonly(target);
  if (!CopyFileA(z(from).c_str(), target.c_str(), FALSE)) raiselast();
}

std::string readfile(std::string_view path) {
  HandleGuard f{CreateFileA(z(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (f.h == INVALID_HANDLE_VALUE) raiselast();
  LARGE_INTEGER size;
  if (!GetFileSizeEx(f.h, &size)) raiselast();
  std::string text(static_cast<size_t>(size.QuadPart), '\0');
  size_t got = 0;
  while (got < text.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - got, 1u << 30));
    DWORD n = 0;
    if (!ReadFile(f.h, text.data() + got, chunk, &n, nullptr)) raiselast();
    if (n == 0) break;  // the file shrank while being read
    got += n;
  }
  text.resize(got);
  return text;
}

void writefile(std::string_view path, std::string_view bytes) {
  // OPEN_ALWAYS and an explicit truncation: CREATE_ALWAYS refuses to replace
  // a hidden file, and a name beginning with "." is a plain file here.
  std::string target = z(path);
  refusereadonly(target);
  HandleGuard f{CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (f.h == INVALID_HANDLE_VALUE) raiselast();
  if (!SetEndOfFile(f.h)) raiselast();
  size_t put = 0;
  while (put < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - put, 1u << 30));
    DWORD n = 0;
    if (!WriteFile(f.h, bytes.data() + put, chunk, &n, nullptr)) raiselast();
    put += n;
  }
}

int runchild(std::string_view commandline, bool direct) {
  std::string line(commandline);
  if (!direct) {
    std::string shell = getenv("COMSPEC").value_or("");
    line = commandline.empty() ? shell : shell + " /C " + line;
  }
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION pi{};
  flushout();  // the child's output must not overtake ours
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return 0;
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 0;
  if (!GetExitCodeProcess(pi.hProcess, &code)) code = 0;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<int>(code);
}

[[noreturn]] void exitprocess(int code) {
  flushout();
  std::exit(code);
}

}  // namespace qs::platform
