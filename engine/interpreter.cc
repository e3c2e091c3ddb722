#include "engine/interpreter.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "engine/pagebuild.h"
#include "engine/scanner.h"
#include "files/paths.h"
#include "foundation/console.h"
#include "foundation/errorreport.h"
#include "foundation/factstore.h"
#include "foundation/formatter.h"
#include "foundation/overload.h"
#include "foundation/text.h"
#include "variables/resolve.h"
#include "variables/seenfiles.h"

namespace qs {

namespace {

/// The range mark setting; the compiled-in pair when none is stored.
Mark currentmark() {
  if (const Mark* m = facts().mark.first()) return *m;
  return Mark{"{{range %s }}", "{{end}}"};
}

/// An include instruction runs in the innermost inclusion in progress, which
/// therefore has insertions; the page's own text has no flag.
void markinsertions() {
  std::vector<bool>& flags = facts().hasnoinsertions;
  if (!flags.empty()) flags.back() = false;
}

/// Include by variable ("!" + name, the value naming the file), then by the
/// trimmed name itself, which may still begin with "!".
bool includefile(const std::string& file, const BindingList& bindings) {
  markinsertions();
  std::optional<std::string> t = trim(file);
  if (!t) return false;
  if (t->starts_with('!')) {
    std::optional<std::string> value = fetchfromallvars(std::string_view(*t).substr(1));
    if (value && process_rest_sd(*value, bindings)) return true;
  }
  return process_rest_sd(*t, bindings);
}

bool runin(const ins::In& in) {
  if (in.file == "<" && addtocurrnv("<", in.bindings)) return true;
  if (in.file == ">" && addtocurrnv(">", in.bindings)) return true;
  return includefile(in.file, in.bindings);
}

/// "!." followed by at least "!" at the end: an extension placeholder.
bool isplaceholder(std::string_view name) {
  return name.size() >= 3 && name.starts_with("!.") && name.ends_with('!');
}

bool runv(const ins::V& v) {
  if (isplaceholder(v.name)) {
    addtocurrstream(v.name);
    return true;
  }
  std::optional<std::string> t = trim(v.name);
  if (!t) return false;
  addvaluefromtopnv(*t);
  return true;
}

/// The first position where a placeholder could still begin once more text
/// is appended to a text of this length that holds none.
size_t freefrom(size_t length, size_t patternlength) {
  return length >= patternlength ? length - patternlength + 1 : 0;
}

/// Replaces every pattern in acc by base, as one left-to-right pass over the
/// whole text would; from is a position before which no pattern begins (so
/// only the text after it is searched, which keeps a page with many direct
/// files linear). Gives that position for the text as it is afterwards;
/// changed becomes the first position the replacement altered (npos when
/// nothing was replaced).
size_t replaceplaceholders(std::string& acc, const std::string& pattern, std::string_view base,
                           size_t from, size_t& changed) {
  // A position beyond the text means it was not only appended to: search all.
  size_t first = acc.find(pattern, from > acc.size() ? 0 : from);
  changed = first;
  if (first == std::string::npos) return freefrom(acc.size(), pattern.size());
  // Everything before the first occurrence stays as it is.
  std::string tail = str_replace(std::string_view(acc).substr(first), pattern, base);
  acc.resize(first);
  acc += tail;
  // The base name may form a new placeholder with the text just before it.
  size_t next = acc.find(pattern, first >= pattern.size() ? first - pattern.size() + 1 : 0);
  return next != std::string::npos ? next : freefrom(acc.size(), pattern.size());
}

bool runbeg(const ins::Beg& beg) {
  std::optional<std::string> t = trim(beg.text);
  if (!t) return false;
  addtocurrstream(formattext(currentmark().begin, {*t}));
  return true;
}

}  // namespace

bool actontokens3(const Instruction& instruction) {
  return std::visit(Overload{[](const ins::In& in) { return runin(in); },
                             [](const ins::P& p) {
                               return addtocurrnv("<", {Binding{p.name, p.value}});
                             },
                             [](const ins::A& a) {
                               return addtocurrnv(">", {Binding{a.name, a.value}});
                             },
                             // Exactly an in without bindings, "<" and ">" included.
                             [](const ins::I& i) {
                               return runin(ins::In{i.file, {}});
                             },
                             [](const ins::V& v) { return runv(v); },
                             [](const ins::Beg& beg) { return runbeg(beg); },
                             [](const ins::End&) {
                               addtocurrstream(currentmark().end);
                               return true;
                             }},
                    instruction);
}

bool addtocurrnv(std::string_view direction, const BindingList& added) {
  Frame* top = facts().currstreamfile.first();
  if (!top) return false;
  BindingList& list = top->bindings;
  // The frame is changed in place: the same list as taking it off the stack,
  // building the new list and putting it back.
  if (direction == "<") {
    list.insert(list.begin(), added.rbegin(), added.rend());
  } else {
    std::reverse(list.begin(), list.end());
    list.insert(list.end(), added.begin(), added.end());
  }
  return true;
}

void addvaluefromtopnv(const std::string& name) {
  if (std::optional<std::string> value = fetchfromallvars(name)) {
    addtocurrstream(*value);
  } else if (name.size() == 1) {
    addtocurrstream(name);
  } else {
    qwrite(formattext("WARNING: Could not find value for \"%\" in file: %\n",
                      {name, getcurrfn().value_or("")}));
  }
}

bool isdirectfile(const Slist& list, std::string_view ext) {
  return std::find(list.begin(), list.end(), ext) != list.end();
}

bool isdirectextension(std::string_view ext) {
  const DirectFiles* direct = facts().directfiles.first();
  return direct && isdirectfile(direct->files, ext);
}

bool insert_direct_or_stream_toks(const std::string& resolved, std::string_view text,
                                  std::string_view start, std::string_view end) {
  std::string ext = splitext(resolved).ext;
  if (isdirectextension(ext)) {
    addtocurrstream(text);
    changespecialvar(ext);
    return true;
  }
  return stream_toks(text, start, end);
}

void changespecialvar(std::string_view ext) {
  std::optional<SeenFile> seen = getlastseenfilewithextension(ext);
  if (!seen) return;
  std::string pattern = formattext("!%s!", {ext});
  std::unordered_map<std::string, size_t>& scans = facts().placeholderscan;
  size_t& from = scans[std::string(ext)];
  size_t changed = std::string::npos;
  from = replaceplaceholders(facts().accumulator.get(), pattern, seen->base, from, changed);
  if (changed == std::string::npos) return;
  // The text from the changed position on has moved (and may have formed new
  // placeholders there), so the other extensions search again from there.
  for (auto& [other, otherfrom] : scans)
    if (other != ext) otherfrom = std::min(otherfrom, freefrom(changed, other.size() + 2));
}

}  // namespace qs
