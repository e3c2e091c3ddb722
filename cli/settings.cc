#include "cli/settings.h"

#include "files/disk.h"
#include "files/paths.h"
#include "foundation/error.h"
#include "foundation/factstore.h"
#include "foundation/formatter.h"
#include "foundation/termreader.h"

namespace qs {

namespace {

constexpr const char* kSettingsFile = "quernstow.cfg";

void insertsettingdefaults() {
  FactStore& f = facts();
  if (!f.fragmentfolder.exists()) f.fragmentfolder.append({"projs\\"});
  if (!f.buildfolder.exists()) f.buildfolder.append({"build\\"});
  if (!f.delimiters.exists()) f.delimiters.append({"[[", "]]"});
  if (!f.mark.exists()) f.mark.append({"{{range %s }}", "{{end}}"});
  if (!f.output.exists()) f.output.append({".html"});
}

/// The two converters every installation has; they precede any handler of
/// the project file, which is loaded later.
void insertdefaulthandlers() {
  FactStore& f = facts();
  if (f.handler.exists()) return;
  f.handler.append(
      {".md", "%spandoc\\pandoc.exe -f markdown_strict-smart+raw_html -t html %s -o %s"});
  f.handler.append({".crl", "%curl\\curl.exe -K %s -o %s"});
}

/// Every run starts with an empty download cache. Sub-folders are left
/// alone, and nothing here may stop the run: the folder usually exists
/// already, and a file that cannot be deleted is simply kept.
void resetcache() {
  std::string cache = formattext("%scache", {exefolder()});
  try {
    makefolder(cache);
  } catch (const RuntimeError&) {
  }
  std::vector<platform::Entry> entries;
  try {
    entries = listfolder(formattext("%scache\\*.*", {exefolder()}), kMaskFiles);
  } catch (const RuntimeError&) {
    return;
  }
  for (const platform::Entry& e : entries) {
    if (e.name == "." || e.name == "..") continue;
    try {
      removefile(joinpath(cache, e.name));
    } catch (const RuntimeError&) {
    }
  }
}

}  // namespace

bool dodefaults() {
  bool present = fileexists(kSettingsFile);
  facts().clearsettings();
  if (present) {
    try {
      loadsettingsrecords(kSettingsFile);
    } catch (const RuntimeError&) {
      return false;
    }
  }
  insertdefaults();
  return true;
}

void insertdefaults() {
  insertsettingdefaults();
  insertdefaulthandlers();
  resetcache();
}

}  // namespace qs
