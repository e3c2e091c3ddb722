#pragma once
// End-to-end fixture: a temporary folder laid out as an installation (the
// executable copied in, with projs, build, cache, curl and pandoc beside it),
// and runs of the real executable in it. A launcher prefix (QS_LAUNCHER, for
// example "wine") and the drive letter under which the host root appears to
// the program (QS_DRIVE, default "C") come from the environment, so the same
// cases run against the Windows build under an emulator.

#include <string>
#include <string_view>

namespace qs::e2e {

struct RunResult {
  std::string out;  // standard output, byte for byte
  int status;       // exit status (124 when the time limit was hit)
};

class Site {
 public:
  /// Creates a fresh folder and copies the executable into it.
  Site();
  ~Site();
  Site(const Site&) = delete;
  Site& operator=(const Site&) = delete;

  /// Host path of the site folder (no final "/").
  const std::string& root() const { return root_; }
  /// Host path of rel ("projs/x/index.sd") inside the site.
  std::string host(std::string_view rel) const;
  /// The path as the program sees it: drive, ":" and "\" separators, for a
  /// rel inside the site ("" gives the site folder with a final "\").
  std::string win(std::string_view rel) const;

  /// Writes a file (folders created), byte for byte.
  void write(std::string_view rel, std::string_view content) const;
  std::string read(std::string_view rel) const;
  bool exists(std::string_view rel) const;
  void remove(std::string_view rel) const;
  /// Makes a file read-only (write bits cleared) or writable again.
  void setreadonly(std::string_view rel, bool readonly) const;
  /// Sets a file's last-write time to now plus offset seconds.
  void touch(std::string_view rel, int offsetseconds) const;
  /// Copies the test helper program to rel (for example "curl/curl.exe").
  void installhelper(std::string_view rel) const;

  /// Runs the executable with the argument text (split by the host shell, so
  /// quote as a shell would), standard input from input, in the folder
  /// workdir (relative to the site; "" is the site itself). Bounded in time.
  RunResult run(std::string_view args, std::string_view input = "", std::string_view workdir = "",
                int timeoutseconds = 60) const;

  /// The executable's file name inside the site.
  static std::string exename();

 private:
  std::string root_;
};

/// True when the run goes through a launcher (an emulator).
bool emulated();

}  // namespace qs::e2e
