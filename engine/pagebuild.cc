#include "engine/pagebuild.h"

#include <optional>

#include "engine/interpreter.h"
#include "engine/scanner.h"
#include "files/disk.h"
#include "files/folders.h"
#include "files/paths.h"
#include "files/sources.h"
#include "foundation/console.h"
#include "foundation/errorreport.h"
#include "foundation/factstore.h"
#include "foundation/formatter.h"

namespace qs {

namespace {

/// The delimiters setting; the compiled-in pair when none is stored.
Delimiters currentdelimiters() {
  if (const Delimiters* d = facts().delimiters.first()) return *d;
  return Delimiters{"[[", "]]"};
}

/// The output extension setting; the compiled-in one when none is stored.
std::string outputextension() {
  if (const Output* o = facts().output.first()) return o->extension;
  return ".html";
}

/// The text of a source; a run-time error while reading is reported (naming
/// the frame already pushed) and counts as a failure.
std::optional<std::string> readsource(const std::string& name, const std::string& resolved) {
  try {
    return getfile_str(name, resolved);
  } catch (const RuntimeError& e) {
    error(e);
    return std::nullopt;
  }
}

/// Empties the engine records of the previous page and puts this page's
/// source in place as its only seen file and frame.
void resetpage(const std::string& resolved) {
  FactStore& f = facts();
  f.seenfile.clear();
  f.noinsertionshere.clear();
  f.seenfile.pushfront(resolved);
  f.accumulator.set("");
  f.placeholderscan.clear();
  f.currstreamfile.clear();
  f.currstreamfile.pushfront(Frame{resolved, {}});
  f.hasnoinsertions.clear();
}

/// Reads, expands and saves one page; false when reading or expanding failed.
bool buildpage(const std::string& pagename) {
  std::string resolved = getproperfn(1, pagename);
  resetpage(resolved);
  std::optional<std::string> text = readsource(pagename, resolved);
  if (!text) return false;
  Delimiters d = currentdelimiters();
  if (!stream_toks(*text, d.open, d.close)) return false;
  saveas(getproperfnorurl(pagename), facts().accumulator.get());
  return true;
}

/// Removes the frame that this inclusion pushed: the first from the top
/// whose file is resolved.
void popframe(const std::string& resolved) {
  facts().currstreamfile.removefirst([&](const Frame& f) { return f.file == resolved; });
}

/// Steps of one inclusion after the circularity test; the flag, seen file and
/// frame are in place.
bool expandinclusion(const std::string& name, const std::string& resolved) {
  std::optional<std::string> text = readsource(name, resolved);
  if (!text) return false;
  Delimiters d = currentdelimiters();
  if (!insert_direct_or_stream_toks(resolved, *text, d.open, d.close)) return false;
  checkifinsertionswerepresent(resolved);
  return true;
}

}  // namespace

void processfiles2(const Slist& pages) {
  for (const std::string& page : pages) process_main_sd(page);
}

void process_main_sd(const std::string& pagename) {
  if (!buildpage(pagename)) qwrite(formattext("Could not process: %\n", {pagename}));
}

void saveas(std::string_view outname, std::string_view content) {
  std::string file = splitext(outname).base + outputextension();
  if (!mkalldirs(file)) return;
  qwrite(formattext("Saved: %\n", {file}));
  savetext(file, content);
}

bool process_rest_sd(const std::string& name, const BindingList& bindings) {
  std::string resolved = getproperfn(1, name);
  if (!shouldnothaveseen(resolved)) return false;
  FactStore& f = facts();
  f.hasnoinsertions.push_back(true);
  f.seenfile.pushfront(resolved);
  f.currstreamfile.pushfront(Frame{resolved, bindings});
  bool included = expandinclusion(name, resolved);
  // The flag and the frame belong to this inclusion alone, also when it
  // failed: a frame left behind would take the including source's later
  // bindings and name the wrong source in its warnings.
  f.hasnoinsertions.pop_back();
  popframe(resolved);
  return included;
}

bool shouldnothaveseen(const std::string& resolved) {
  FactStore& f = facts();
  if (isdirectextension(splitext(resolved).ext)) return true;
  if (f.noinsertionshere.contains(resolved)) return true;
  if (!f.seenfile.contains(resolved)) {
    f.seenfile.pushfront(resolved);
    return true;
  }
  qwrite(formattext("Circular logic: % was used earlier. Cannot include it again\n", {resolved}));
  return false;
}

void checkifinsertionswerepresent(const std::string& resolved) {
  FactStore& f = facts();
  if (!f.hasnoinsertions.empty() && f.hasnoinsertions.back()) f.noinsertionshere.append(resolved);
}

}  // namespace qs
