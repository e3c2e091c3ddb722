#include "variables/filelists.h"

#include <utility>

#include "files/handlers.h"
#include "files/paths.h"
#include "foundation/error.h"
#include "foundation/factstore.h"
#include "foundation/formatter.h"
#include "foundation/text.h"
#include "variables/tags.h"

namespace qs {

namespace {

constexpr std::string_view kRemotePrefix = "https://";
constexpr std::string_view kFileField = "file=";
constexpr std::string_view kIndexPrefix = "index.";

bool isformaterror(const RuntimeError& e) {
  return e.code() == err::kFormatSurplus || e.code() == err::kNoMemory;
}

// A user's item format that does not fit its values only makes the item
// fail; any other run-time error is not ours to swallow.
template <class F>
std::optional<std::string> guardedformat(F&& format) {
  try {
    return format();
  } catch (const RuntimeError& e) {
    if (!isformaterror(e)) throw;
    return std::nullopt;
  }
}

std::string underscorestospaces(std::string_view text) {
  return str_replace(text, "_", " ");
}

void eachpage(const ItemVisitor& each) {
  for (const File& f : facts().file)
    if (!each(ListKind::Pages, f.page)) return;
}

void eachcloneof(int32_t n, const ItemVisitor& each) {
  for (const Clone& c : facts().clone)
    if (c.index == n && !each(ListKind::Clones, c.page)) return;
}

// "#" + A + "-" + Tag; false when the selector is not of that form.
bool eachbytag(std::string_view selector, const ItemVisitor& each) {
  std::optional<std::string> rest = firstchar(selector, '#');
  if (!rest) return false;
  size_t dash = rest->find('-');
  if (dash == std::string::npos) return false;
  std::string_view all(*rest);
  return eachtaggedclone(all.substr(0, dash), all.substr(dash + 1),
                         [&each](const std::string& name) { return each(ListKind::Clones, name); });
}

void eachvalue(std::string_view name, const ItemVisitor& each) {
  for (const Global& g : facts().g)
    if (g.name == name && !each(ListKind::Values, g.value)) return;
}

// Appends one item's entry to out; false when the item fails.
bool appenditem(std::string& out, int32_t position, ListKind kind, int count, std::string_view name,
                std::string_view format) {
  std::optional<LinkPrompt> item = striptojustfilename(kind, name);
  if (!item) return false;
  std::optional<std::string> entry =
      formataspercount(position, kind, count, item->link, item->prompt, format);
  if (!entry) return false;
  out += *entry;
  return true;
}

}  // namespace

ListKind eachf(std::string_view selector, const ItemVisitor& each) {
  if (selector == "~") {
    eachpage(each);
    return ListKind::Pages;
  }
  if (std::optional<int32_t> n = parseinteger(selector)) {
    eachcloneof(*n, each);
    return ListKind::Clones;
  }
  if (eachbytag(selector, each)) return ListKind::Clones;
  eachvalue(selector, each);
  return ListKind::Values;
}

FoundList findallf(std::string_view selector) {
  FoundList found{{}, ListKind::Values};
  found.kind = eachf(selector, [&found](ListKind, const std::string& item) {
    found.items.push_back(item);
    return true;
  });
  return found;
}

std::optional<std::string> formatfilenames(int32_t position, ListKind kind, int count,
                                           const Slist& list, std::string_view format,
                                           std::string start) {
  for (const std::string& item : list)
    if (!appenditem(start, position++, kind, count, item, format)) return std::nullopt;
  return start;
}

std::optional<std::string> getfilelist(std::string_view name) {
  size_t lt = name.find('<');
  if (lt == std::string_view::npos || name.substr(0, 1) != "~") return std::nullopt;
  std::string_view selector = name.substr(1, lt - 1);
  std::string_view format = name.substr(lt);
  const int count = countperc(format);
  // Formatted straight from the records: one pass, no copy of the list.
  std::string out;
  int32_t position = 1;
  bool ok = true;
  eachf(selector, [&](ListKind kind, const std::string& item) {
    ok = appenditem(out, position++, kind, count, item, format);
    return ok;
  });
  if (!ok) return std::nullopt;
  return out;
}

std::optional<LinkPrompt> striptojustfilename(ListKind kind, std::string_view name) {
  if (kind == ListKind::Values) return LinkPrompt{std::string(name), std::string(name)};
  if (afterprefix(kRemotePrefix, name)) {
    if (std::optional<std::string> field = parsefieldfromurl(name, kFileField, "&"))
      if (std::optional<LinkPrompt> item = striptojustfilename2(kind, *field)) return item;
  }
  return striptojustfilename2(kind, name);
}

std::optional<LinkPrompt> striptojustfilename2(ListKind kind, std::string_view name) {
  const Root* root = facts().root.first();
  if (!root) return std::nullopt;
  std::optional<std::string> relative = afterprefix(root->folder, name);
  if (!relative) return std::nullopt;
  std::optional<std::string> prompt = getlnkprompt(asperfilenamepath(kind, *relative));
  if (prompt) prompt = capitalize(*prompt);
  if (!prompt) return std::nullopt;
  std::string link = str_replace(str_replace(*relative, ".sd", ""), "\\", "/");
  return LinkPrompt{std::move(link), std::move(*prompt)};
}

std::string asperfilenamepath(ListKind kind, std::string_view relative) {
  PathSplit parts = splitpath(relative);
  if (kind == ListKind::Pages && afterprefix(kIndexPrefix, parts.name)) return parts.folder;
  return parts.name;
}

std::optional<std::string> getlnkprompt(std::string_view text) {
  if (text.empty()) return "Home";
  if (std::optional<std::string> folder = beforesuffix("\\", text))
    return underscorestospaces(splitpath(*folder).name);
  std::optional<Split> token = firsttoken(splitpath(text).name);
  if (!token) return std::nullopt;
  return underscorestospaces(token->first);
}

std::optional<std::string> capitalize(std::string_view text) {
  std::optional<Split> first = firstchar(text);
  if (!first) return std::nullopt;
  return uppercase(first->first) + first->rest;
}

std::optional<std::string> formataspercount(int32_t position, ListKind kind, int count,
                                            std::string_view link, std::string_view prompt,
                                            std::string_view format) {
  switch (count) {
    case 0:
      return std::string(link);
    case 1:
      return guardedformat([&] { return formattext(format, {link}); });
    case 2:
      return formattype(kind, format, link, prompt, position);
    case 3:
      return guardedformat([&] { return formattext(format, {link, link, prompt}); });
    case 4:
      return guardedformat([&] { return formattext(format, {link, link, link, prompt}); });
    default:
      return std::nullopt;
  }
}

std::optional<std::string> formattype(ListKind kind, std::string_view format, std::string_view link,
                                      std::string_view prompt, int32_t position) {
  if (kind == ListKind::Values)
    if (auto entry = guardedformat([&] { return formattext(format, {position, link}); }))
      return entry;
  return guardedformat([&] { return formattext(format, {link, prompt}); });
}

}  // namespace qs
