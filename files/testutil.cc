#include "files/testutil.h"

#include <fstream>
#include <random>
#include <sstream>

#include "foundation/factstore.h"

namespace qs::testutil {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  resetfacts();
  std::random_device rd;
  do root_ = fs::temp_directory_path() / ("qs-h2-" + std::to_string(rd()));
  while (!fs::create_directory(root_));
}

TempFolder::~TempFolder() {
  std::error_code ec;
  for (auto& e : fs::recursive_directory_iterator(root_, ec))
    fs::permissions(e.path(), fs::perms::owner_write, fs::perm_options::add, ec);
  fs::remove_all(root_, ec);
}

std::string TempFolder::win(std::string_view rel) const {
  std::string s = root_.string() + "/" + std::string(rel);
  for (char& c : s)
    if (c == '/') c = '\\';
  return s.starts_with('\\') ? "C:" + s : s;
}

void TempFolder::write(std::string_view rel, std::string_view bytes) const {
  fs::create_directories(host(rel).parent_path());
  std::ofstream(host(rel), std::ios::binary) << bytes;
}

void TempFolder::mkdir(std::string_view rel) const {
  fs::create_directories(host(rel));
}

std::string TempFolder::read(std::string_view rel) const {
  std::ifstream in(host(rel), std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

bool TempFolder::exists(std::string_view rel) const {
  return fs::exists(host(rel));
}

void TempFolder::setreadonly(std::string_view rel) const {
  fs::permissions(host(rel),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

}  // namespace qs::testutil
