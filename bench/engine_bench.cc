// Page assembly benchmark: generates a synthetic project in a temporary
// folder (pages with many includes, nested fragments, variables, direct files
// and long runs of plain text), builds every page in-process and reports the
// time. A second series doubles the includes and the text of one page at a
// time: the engine is linear when the time per page doubles with them.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "engine/pagebuild.h"
#include "foundation/factstore.h"

namespace fs = std::filesystem;

namespace {

/// A fresh temporary folder, removed at the end.
class TempFolder {
 public:
  TempFolder() {
    std::random_device rd;
    do path_ = fs::temp_directory_path() / ("qs-bench-" + std::to_string(rd()));
    while (!fs::create_directory(path_));
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }
  /// The folder as the program names it ("C:\..." on POSIX, ending in "\").
  std::string win(const std::string& rel) const {
    std::string s = (path_ / rel).string() + "/";
    for (char& c : s)
      if (c == '/') c = '\\';
    return s.starts_with('\\') ? "C:" + s : s;
  }

 private:
  fs::path path_;
};

void writefile(const fs::path& p, const std::string& text) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << text;
}

struct Shape {
  int pages;
  int includes;   // include instructions per page
  int kilobytes;  // plain text per page
};

/// The shared fragments: a header that includes a navigation fragment, a
/// fragment with its own bindings, and a direct file.
void writefragments(const fs::path& projs) {
  writefile(projs / "parts/header.sd",
            "<header>[[v(\"title\")]][[i(\"parts\\\\nav.sd\")]]</header>\n");
  writefile(projs / "parts/nav.sd", "<nav>home | news | about</nav>\n");
  writefile(projs / "parts/item.sd", "<li>[[v(\"n\")]] [[v(\"site\")]] [[v(\"!.txt!\")]]</li>\n");
  writefile(projs / "parts/note.txt", "<p>direct !.txt! text [[not expanded]]</p>\n");
}

/// One page: the header once, then includes interleaved with plain text.
std::string pagetext(const Shape& s) {
  std::string filler;
  while (filler.size() < 1024) filler += "Lorem ipsum dolor sit amet, consectetur adipiscing. ";
  std::string text = "[[p(\"title\",\"Bench\")]][[i(\"parts\\\\header.sd\")]]\n";
  int blocks = s.kilobytes > s.includes ? s.kilobytes : s.includes;
  for (int b = 0; b < blocks; ++b) {
    if (b < s.kilobytes) text += filler + "\n";
    if (b >= s.includes) continue;
    if (b % 4 == 3)
      text += "[[i(\"parts\\\\note.txt\")]]\n";
    else
      text += "[[in(\"parts\\\\item.sd\",[g(\"n\",\"" + std::to_string(b) + "\")])]]\n";
  }
  return text;
}

/// Builds a project of this shape; gives the seconds taken by the pages.
double run(const Shape& s) {
  TempFolder tmp;
  fs::path projs = tmp.path() / "projs";
  writefragments(projs);
  std::string text = pagetext(s);
  qs::Slist pages;
  for (int p = 0; p < s.pages; ++p) {
    std::string name = "bench\\page" + std::to_string(p) + ".sd";
    writefile(projs / ("bench/page" + std::to_string(p) + ".sd"), text);
    pages.push_back(name);
  }
  qs::resetfacts();
  qs::FactStore& f = qs::facts();
  f.quiet.append(qs::Quiet{});
  f.fragmentfolder.append(qs::FragmentFolder{tmp.win("projs")});
  f.buildfolder.append(qs::BuildFolder{tmp.win("build")});
  f.delimiters.append(qs::Delimiters{"[[", "]]"});
  f.mark.append(qs::Mark{"{{range %s }}", "{{end}}"});
  f.output.append(qs::Output{".html"});
  f.root.append(qs::Root{"bench\\"});
  f.directfiles.append(qs::DirectFiles{{".txt"}});
  f.g.append(qs::Global{"site", "Bench site"});
  auto start = std::chrono::steady_clock::now();
  qs::processfiles2(pages);
  std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  return took.count();
}

int argument(int argc, char** argv, int i, int fallback) {
  return argc > i ? std::atoi(argv[i]) : fallback;
}

}  // namespace

int main(int argc, char** argv) {
  Shape base{argument(argc, argv, 1, 100), argument(argc, argv, 2, 200),
             argument(argc, argv, 3, 200)};
  double t = run(base);
  std::printf("%d pages, %d includes and %d KB of text each: %.3f s (%.2f ms per page)\n",
              base.pages, base.includes, base.kilobytes, t, 1000.0 * t / base.pages);
  std::printf("One page as it grows (time per page should double with each row):\n");
  for (int factor = 1; factor <= 8; factor *= 2) {
    Shape one{5, 500 * factor, 500 * factor};
    double u = run(one) / one.pages;
    std::printf("  %6d includes, %6d KB: %8.2f ms\n", one.includes, one.kilobytes, 1000.0 * u);
  }
  return 0;
}
