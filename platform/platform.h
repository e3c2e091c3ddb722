#pragma once
// The host layer: everything the program needs of an operating system, and
// nothing more. Paths here are the program's internal Windows-form texts
// ("C:\a\b", relative "a\b", "\a" on the current drive). One implementation
// per host: platform-posix.cc and platform-win32.cc. System failures raise
// qs::RuntimeError with 7000 plus the Windows error number.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qs::platform {

/// Records the process arguments (POSIX has no raw command line).
void init(int argc, char** argv);

/// The whole command line, program name first: on Windows as the system
/// gives it; on POSIX the program name, then the arguments joined by single
/// spaces.
std::string commandline();

/// Writes bytes to standard output unchanged.
void writeout(std::string_view bytes);
/// Flushes standard output (before a child starts and at exit).
void flushout();
/// Reads one character from standard input; -1 at end of input.
int readchar();

/// Full internal path of the running executable.
std::string exepath();
/// The working folder: drive, ":\" and the path, no final "\" but at a root.
std::string workfolder();
/// The current folder of a drive ("C:"), in the same form; empty when the
/// drive does not exist.
std::string drivefolder(char drive);
int processid();
/// The value of an environment variable, if set.
std::optional<std::string> getenv(std::string_view name);

struct LocalTime {
  int year, month, day, weekday, hour, minute, second, millisecond;
};
/// The local wall clock now.
LocalTime now();

/// One folder entry as the system reports it.
struct Entry {
  std::string name;
  uint32_t attributes;  // 1 read-only, 2 hidden, 16 folder, 32 archive
  int year, month, day, hour, minute, second;  // last write, local time
  uint32_t size;                                // low 32 bits
};
inline constexpr uint32_t kReadOnly = 1;
inline constexpr uint32_t kHidden = 2;
inline constexpr uint32_t kFolder = 16;
inline constexpr uint32_t kArchive = 32;

/// Every entry of a folder, "." and ".." first, then sorted by upper-cased
/// name (ties by raw bytes). A missing folder raises 7003.
std::vector<Entry> listfolder(std::string_view folder);
/// The entry at path (case-insensitive fallback per step; the name is the
/// one on disk; a final "\" names the folder itself), or nothing when the
/// last step is missing (7002), a folder on the way is (7003), or the drive
/// or share does not exist; other failures raise.
std::optional<Entry> stat(std::string_view path);

/// Creates one folder; 7183 when it exists, 7003 when the parent is missing.
void makefolder(std::string_view path);
/// Deletes one file; a read-only file raises 7005.
void removefile(std::string_view path);
/// Renames (moves) a file; an existing target raises 7183.
void renamefile(std::string_view from, std::string_view to);
/// Copies a file, replacing the target; the copy keeps the source's
/// last-write time and read-only attribute. A read-only target raises 7005.
void copyfile(std::string_view from, std::string_view to);
/// The whole content of a file, byte for byte.
std::string readfile(std::string_view path);
/// Writes the whole content of a file, byte for byte, creating or truncating
/// it. A read-only file raises 7005.
void writefile(std::string_view path, std::string_view bytes);

/// Starts a child program and waits for it, without a time limit. direct:
/// the first word is the program itself; otherwise the command interpreter
/// (COMSPEC /C on Windows, a PATH lookup on POSIX). Gives the exit code, or 0
/// when the child cannot be started.
int runchild(std::string_view commandline, bool direct);

/// Ends the process with the exit status for an error or outcome number
/// (POSIX keeps it modulo 256, 255 for a non-zero number that gives 0).
[[noreturn]] void exitprocess(int code);

}  // namespace qs::platform
