// The end-to-end fixture drives the real executable as a child of the test
// process; it is test infrastructure and runs on the POSIX host only.
#include "tests/e2e/site.h"

#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace qs::e2e {

namespace {

std::string envor(const char* name, const char* fallback) {
  const char* v = std::getenv(name);
  return v && *v ? v : fallback;
}

std::string exepath() {
  return envor("QS_E2E_EXE", QS_EXE);
}

std::string helperpath() {
  return envor("QS_E2E_HELPER", QS_HELPER);
}

std::string shellquote(std::string_view s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::string readall(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

}  // namespace

bool emulated() {
  return !envor("QS_LAUNCHER", "").empty();
}

std::string Site::exename() {
  return fs::path(exepath()).filename().string();
}

Site::Site() {
  std::random_device rd;
  fs::path base = fs::temp_directory_path();
  for (;;) {
    fs::path p = base / ("qs-e2e-" + std::to_string(rd()));
    if (fs::create_directory(p)) {
      root_ = p.string();
      break;
    }
  }
  for (const char* d : {"projs", "build", "cache", "curl", "pandoc"}) fs::create_directory(host(d));
  fs::copy_file(exepath(), host(exename()));
}

Site::~Site() {
  std::error_code ec;
  // Read-only entries must be made writable again before removal.
  for (auto& e : fs::recursive_directory_iterator(root_, ec))
    fs::permissions(e.path(), fs::perms::owner_write, fs::perm_options::add, ec);
  fs::remove_all(root_, ec);
}

std::string Site::host(std::string_view rel) const {
  return rel.empty() ? root_ : root_ + "/" + std::string(rel);
}

std::string Site::win(std::string_view rel) const {
  std::string p = host(rel);
  if (rel.empty()) p += "/";
  for (char& c : p)
    if (c == '/') c = '\\';
  return envor("QS_DRIVE", "C") + ":" + p;
}

void Site::write(std::string_view rel, std::string_view content) const {
  fs::path p = host(rel);
  fs::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) throw std::runtime_error("cannot write " + p.string());
}

std::string Site::read(std::string_view rel) const {
  return readall(host(rel));
}

bool Site::exists(std::string_view rel) const {
  return fs::exists(host(rel));
}

void Site::remove(std::string_view rel) const {
  fs::remove_all(host(rel));
}

void Site::setreadonly(std::string_view rel, bool readonly) const {
  auto w = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  fs::permissions(host(rel), w, readonly ? fs::perm_options::remove : fs::perm_options::add);
}

void Site::touch(std::string_view rel, int offsetseconds) const {
  fs::last_write_time(host(rel),
                      fs::file_time_type::clock::now() + std::chrono::seconds(offsetseconds));
}

void Site::installhelper(std::string_view rel) const {
  fs::path p = host(rel);
  fs::create_directories(p.parent_path());
  fs::copy_file(helperpath(), p, fs::copy_options::overwrite_existing);
}

RunResult Site::run(std::string_view args, std::string_view input, std::string_view workdir,
                    int timeoutseconds) const {
  write(".e2e-in", input);
  std::string launcher = envor("QS_LAUNCHER", "");
  std::string cmd = "cd " + shellquote(host(workdir)) + " && timeout -k 5 " +
                    std::to_string(timeoutseconds) + " " + launcher + " " +
                    shellquote(host(exename())) + " " + std::string(args) + " <" +
                    shellquote(host(".e2e-in")) + " >" + shellquote(host(".e2e-out")) + " 2>" +
                    shellquote(host(".e2e-err"));
  int raw = std::system(cmd.c_str());
  RunResult r{read(".e2e-out"), WIFEXITED(raw) ? WEXITSTATUS(raw) : 255};
  remove(".e2e-in");
  remove(".e2e-out");
  remove(".e2e-err");
  return r;
}

}  // namespace qs::e2e
