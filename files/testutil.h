#pragma once
// Test-only: a temporary folder for the tests of the file-system primitives,
// with paths in the program's form ("C:\...").

#include <filesystem>
#include <string>
#include <string_view>

namespace qs::testutil {

/// A fresh temporary folder, removed (read-only entries included) at the
/// end; the fact store is reset on creation.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  /// rel ("a/b") inside the folder, as a host path.
  std::filesystem::path host(std::string_view rel) const { return root_ / rel; }
  /// rel inside the folder as the program names it; a rel ending in "\"
  /// gives a folder path ending in "\".
  std::string win(std::string_view rel = "") const;
  /// Writes a file byte for byte, creating its folders.
  void write(std::string_view rel, std::string_view bytes) const;
  void mkdir(std::string_view rel) const;
  std::string read(std::string_view rel) const;
  bool exists(std::string_view rel) const;
  /// Clears every write bit (the program reads that as read-only).
  void setreadonly(std::string_view rel) const;

 private:
  std::filesystem::path root_;
};

}  // namespace qs::testutil
