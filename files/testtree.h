#pragma once
// Test-only: a temporary folder tree for the tests of the file-system
// primitives, handlers, verbs and the unlisted-file report, with paths in
// the program's form.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

#include "foundation/factstore.h"

namespace qs::testing {

/// A fresh temporary folder, removed (read-only entries included) at the
/// end; the fact store is reset on creation.
class TempTree {
 public:
  TempTree() {
    resetfacts();
    std::random_device rd;
    for (;;) {
      root_ = std::filesystem::temp_directory_path() / ("qs-files-" + std::to_string(rd()));
      if (std::filesystem::create_directory(root_)) break;
    }
  }
  ~TempTree() {
    std::error_code ec;
    for (auto& e : std::filesystem::recursive_directory_iterator(root_, ec))
      std::filesystem::permissions(e.path(), std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(root_, ec);
  }
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  std::filesystem::path host(std::string_view rel) const { return root_ / rel; }
  /// rel inside the tree as the program names it ("C:\...\rel"); a rel
  /// ending in "/" gives a folder path ending in "\".
  std::string win(std::string_view rel = "") const {
    std::string s = (root_.string() + "/") + std::string(rel);
    for (char& c : s)
      if (c == '/') c = '\\';
    return s.starts_with('\\') ? "C:" + s : s;
  }
  void write(std::string_view rel, std::string_view text) const {
    std::filesystem::create_directories(host(rel).parent_path());
    std::ofstream(host(rel), std::ios::binary) << text;
  }
  void mkdir(std::string_view rel) const { std::filesystem::create_directories(host(rel)); }
  std::string read(std::string_view rel) const {
    std::ifstream in(host(rel), std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  bool exists(std::string_view rel) const { return std::filesystem::exists(host(rel)); }
  /// Moves the last-write time to now plus offset seconds.
  void touch(std::string_view rel, int offsetseconds) const {
    std::filesystem::last_write_time(host(rel), std::filesystem::file_time_type::clock::now() +
                                                    std::chrono::seconds(offsetseconds));
  }
  void setreadonly(std::string_view rel) const {
    std::filesystem::permissions(host(rel),
                                 std::filesystem::perms::owner_write |
                                     std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
  }

 private:
  std::filesystem::path root_;
};

}  // namespace qs::testing
