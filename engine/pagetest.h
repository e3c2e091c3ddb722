#pragma once
// Test-only: a fresh fact store with the compiled-in settings and a
// temporary installation folder (projs\ and build\ inside it), with helpers
// to expand texts and build pages while capturing what they print.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

#include "engine/pagebuild.h"
#include "engine/scanner.h"
#include "files/paths.h"
#include "foundation/factstore.h"

namespace qs::enginetest {

/// What one expansion or build left: the accumulator and the console text.
struct Expanded {
  std::string text;
  std::string out;
};

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetfacts();
    std::random_device rd;
    for (;;) {
      root_ = std::filesystem::temp_directory_path() / ("qs-engine-" + std::to_string(rd()));
      if (std::filesystem::create_directory(root_)) break;
    }
    FactStore& f = facts();
    f.fragmentfolder.append(FragmentFolder{win("projs/")});
    f.buildfolder.append(BuildFolder{win("build/")});
    f.delimiters.append(Delimiters{"[[", "]]"});
    f.mark.append(Mark{"{{range %s }}", "{{end}}"});
    f.output.append(Output{".html"});
    f.root.append(Root{"site\\"});
  }
  void TearDown() override {
    std::error_code ec;
    for (auto& e : std::filesystem::recursive_directory_iterator(root_, ec))
      std::filesystem::permissions(e.path(), std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(root_, ec);
    resetfacts();
  }

  /// rel inside the temporary folder as the program names it; a rel ending
  /// in "/" gives a folder path ending in "\".
  std::string win(std::string_view rel = "") const {
    std::string s = root_.string() + "/" + std::string(rel);
    for (char& c : s)
      if (c == '/') c = '\\';
    return s.starts_with('\\') ? "C:" + s : s;
  }
  /// The resolved name of a source below projs/.
  std::string src(std::string_view rel) const { return win("projs/" + std::string(rel)); }
  /// The resolved name of a source that exists nowhere: the fragment folder
  /// path taken to lie beside the executable.
  std::string missing(std::string_view rel) const { return exefolder() + src(rel); }
  std::filesystem::path host(std::string_view rel) const { return root_ / rel; }
  void write(std::string_view rel, std::string_view text) const {
    std::filesystem::create_directories(host(rel).parent_path());
    std::ofstream(host(rel), std::ios::binary) << text;
  }
  /// Writes a source below projs/.
  void source(std::string_view rel, std::string_view text) const {
    write("projs/" + std::string(rel), text);
  }
  std::string read(std::string_view rel) const {
    std::ifstream in(host(rel), std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  bool exists(std::string_view rel) const { return std::filesystem::exists(host(rel)); }

  /// Expands text as the text of a page named page.sd (its frame and seen
  /// record in place), without saving anything.
  Expanded expand(std::string_view text, bool* ok = nullptr) {
    FactStore& f = facts();
    f.accumulator.set("");
    f.placeholderscan.clear();
    f.seenfile.clear();
    f.noinsertionshere.clear();
    f.seenfile.pushfront(src("page.sd"));
    f.currstreamfile.clear();
    f.currstreamfile.pushfront(Frame{src("page.sd"), {}});
    ::testing::internal::CaptureStdout();
    bool r = stream_toks(text, "[[", "]]");
    std::fflush(stdout);
    Expanded e{f.accumulator.get(), ::testing::internal::GetCapturedStdout()};
    if (ok) *ok = r;
    return e;
  }

  /// Builds the listed pages and gives what they printed.
  std::string build(const Slist& pages) {
    ::testing::internal::CaptureStdout();
    processfiles2(pages);
    std::fflush(stdout);
    return ::testing::internal::GetCapturedStdout();
  }

 private:
  std::filesystem::path root_;
};

}  // namespace qs::enginetest
