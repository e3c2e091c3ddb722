#pragma once
// End-to-end helper: a site whose own folder path holds the setting texts
// "build\" and "projs\" (it lies in <outer>/build/projs/), to show that the
// two trees are mapped onto each other by their roots only.

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <utility>

#include "tests/e2e/site.h"

namespace qs::e2e {

/// A fresh outer folder holding build/projs/, removed at the end.
class OuterFolder {
 public:
  OuterFolder() {
    std::random_device rd;
    do path_ = std::filesystem::temp_directory_path() / ("qs-nested-" + std::to_string(rd()));
    while (!std::filesystem::create_directory(path_));
    std::filesystem::create_directories(path_ / "build" / "projs");
  }
  ~OuterFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

/// Points TMPDIR at a folder while it lives.
class TmpdirScope {
 public:
  explicit TmpdirScope(const std::filesystem::path& dir) {
    if (const char* old = std::getenv("TMPDIR")) old_ = old;
    ::setenv("TMPDIR", dir.c_str(), 1);
  }
  ~TmpdirScope() {
    if (old_)
      ::setenv("TMPDIR", old_->c_str(), 1);
    else
      ::unsetenv("TMPDIR");
  }

 private:
  std::optional<std::string> old_;
};

class NestedSite {
 public:
  NestedSite() {
    TmpdirScope scope(outer.path() / "build" / "projs");
    site_.emplace();
  }
  Site& site() { return *site_; }

  /// True when anything beside the way down to the site appeared in the
  /// outer folders (a tree mapped through the inner setting texts).
  bool outsidetouched() const {
    const std::pair<const char*, const char*> allowed[] = {
        {"", "build"}, {"build", "projs"}, {"build/projs", "qs-e2e-"}};
    for (auto [dir, prefix] : allowed)
      for (auto& e : std::filesystem::directory_iterator(outer.path() / dir))
        if (!e.path().filename().string().starts_with(prefix)) return true;
    return false;
  }

  OuterFolder outer;

 private:
  std::optional<Site> site_;
};

}  // namespace qs::e2e
