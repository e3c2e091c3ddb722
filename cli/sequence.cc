#include "cli/sequence.h"

#include <string>

#include "cli/project.h"
#include "engine/clones.h"
#include "engine/pagebuild.h"
#include "files/folders.h"
#include "files/handlers.h"
#include "files/sources.h"
#include "files/unlisted.h"
#include "files/verbs.h"
#include "foundation/console.h"
#include "foundation/factstore.h"
#include "foundation/text.h"

namespace qs {

namespace {

constexpr std::string_view kBuildFailed =
    "Either project filename was not specified on the command line. Or it was not found. Or it "
    "was not written correctly. ";

std::string unquoted(std::string_view s) {
  return str_replace(s, "\"", "");
}

Slist listedpages() {
  Slist pages;
  for (const File& f : facts().file) pages.push_back(f.page);
  return pages;
}

Slist unlistedpages() {
  Slist pages;
  for (const std::string& u : facts().un) pages.push_back(u);
  return pages;
}

/// A leading verb with a project name after it.
bool verbalternative(std::string_view s) {
  std::optional<Split> tok = firsttoken(s);
  if (!tok) return false;
  std::optional<std::string> rest = trim(tok->rest);
  if (!rest) return false;
  return clean_or_empty_or_process(tok->first, unquoted(*rest));
}

/// After the listed pages and their clones: the fragment folder's files that
/// no page accounts for are reported and built like pages.
bool buildunlisted(const Slist& listed) {
  const FactStore& f = facts();
  if (!f.root.exists() || !f.fragmentfolder.exists()) return false;
  const std::string& fragmentsetting = f.fragmentfolder.first()->folder;
  std::string sourceroot = verifyfile(2, fragmentsetting + f.root.first()->folder);
  createfolderifmissing(sourceroot);
  facts().un.clear();
  walkunknowns(listed, verifyfile(2, fragmentsetting), sourceroot);
  processfiles2(unlistedpages());
  return true;
}

bool buildalternative(std::string_view s) {
  if (!fetchorpullinproj(unquoted(s)) || !checkroot()) return false;
  Slist listed = listedpages();
  processfiles2(listed);
  processclones(0, listed);
  if (!buildunlisted(listed)) return false;
  writeplaceholderinfo();
  return true;
}

/// The copy verb: the sub-folder tree first, then the missing extra files.
/// The two trees are mapped onto each other by their roots (source folder
/// and build folder of the project), so a folder name elsewhere in the path
/// that happens to equal a setting is left alone.
bool copyverb(const std::string& buildroot) {
  const FactStore& f = facts();
  if (!f.fragmentfolder.exists()) return false;
  std::string sourceroot = verifyfile(2, f.fragmentfolder.first()->folder + f.root.first()->folder);
  createbuildfolders(sourceroot, sourceroot, buildroot);
  copyfil("*.*", buildroot, sourceroot, buildroot);
  return true;
}

bool isverb(std::string_view verb) {
  return verb == "clean" || verb == "empty" || verb == "copy";
}

}  // namespace

void clean_or_empty_or_process(std::string_view s) {
  if (verbalternative(s)) return;
  if (buildalternative(s)) return;
  qwrite(kBuildFailed);
}

bool clean_or_empty_or_process(std::string_view verb, std::string_view filename) {
  if (!isverb(verb)) return false;
  if (!fetchorpullinproj(filename) || !checkroot()) return false;
  std::string buildroot = getproperfn(2, facts().root.first()->folder);
  if (verb == "clean") {
    cleanbak("*.bak", buildroot);
    return true;
  }
  if (verb == "empty") {
    if (!facts().output.exists()) return false;
    cleanbak("*" + facts().output.first()->extension, buildroot);
    return true;
  }
  return copyverb(buildroot);
}

}  // namespace qs
