#include "variables/tags.h"

#include <unordered_map>
#include <utility>

#include "files/paths.h"
#include "foundation/factstore.h"
#include "foundation/formatter.h"
#include "foundation/text.h"

namespace qs {

namespace {

constexpr std::string_view kTagsName = "tags";
constexpr std::string_view kEntryFormat = "{\"link\":\"%s\",\"tags\":\"%s\"},\n";
constexpr std::string_view kDefaultOutput = ".html";

std::string entry(std::string_view link, std::string_view tags) {
  return formattext(kEntryFormat, {link, tags});
}

std::string_view outputextension() {
  const Output* out = facts().output.first();
  return out ? std::string_view(out->extension) : kDefaultOutput;
}

// Index i of the record list, or nullptr when the list is shorter.
template <class T>
const T* nthrecord(const Many<T>& records, int64_t i) {
  if (i < 0) return nullptr;
  for (const T& r : records)
    if (i-- == 0) return &r;
  return nullptr;
}

// The first tags binding among the clone records named name.
std::optional<std::string> firsttagsofclonenamed(const std::string& name) {
  for (const Clone& c : facts().clone)
    if (c.page == name)
      if (auto tags = gettagfromfv(c.bindings)) return tags;
  return std::nullopt;
}

// The first tags record of every number, in one pass, so that collecting
// all clones stays linear in the number of records.
std::unordered_map<int32_t, const std::string*> firsttagsbynumber() {
  std::unordered_map<int32_t, const std::string*> first;
  for (const Tags& t : facts().tags) first.emplace(t.index, &t.tags);  // keeps the first
  return first;
}

int32_t wrapadd(int32_t a, uint64_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

// Every clone with tags and a link below the root, newest entry first. The
// clones are walked backwards so the text is built by appending; clone k
// still reads the tags record numbered ctag + k, and ctag advances once per
// clone record whether or not the clone is kept.
void collectallclones() {
  const auto bynumber = firsttagsbynumber();
  const Many<Clone>& clones = facts().clone;
  const int32_t start = facts().ctag.get();
  facts().ctag.set(wrapadd(start, clones.size()));
  std::string collected;
  uint64_t k = clones.size();
  for (auto it = clones.end(); it != clones.begin();) {
    const Clone& c = *--it;
    const int32_t p = wrapadd(start, --k);
    std::optional<std::string> tags = gettagfromfv(c.bindings);
    if (!tags) {
      auto found = bynumber.find(p);
      if (found == bynumber.end()) continue;
      tags = *found->second;
    }
    auto link = filenametolink(c.page);
    if (link) collected += entry(*link, *tags);
  }
  collected += facts().ct.get();
  facts().ct.set(std::move(collected));
}

}  // namespace

bool commabeforeorafter(std::string_view tags, std::string_view tag) {
  std::string comma = ",";
  if (substrpos(tags, comma + std::string(tag))) return true;
  return afterprefix(std::string(tag) + comma, tags).has_value();
}

bool isintaglist(std::string_view tag, const BindingList& bindings) {
  for (const Binding& b : bindings)
    if (b.name == kTagsName && commabeforeorafter(uppercase(b.value), tag)) return true;
  return false;
}

void tagfromanyclone(std::string_view tag, const CloneVisitor& each) {
  for (const Clone& c : facts().clone)
    if (isintaglist(tag, c.bindings) && !each(c.page)) return;
}

void tagclone(int32_t n, std::string_view tag, const CloneVisitor& each) {
  for (const Clone& c : facts().clone)
    if (c.index == n && isintaglist(tag, c.bindings) && !each(c.page)) return;
}

bool eachtaggedclone(std::string_view a, std::string_view tag, const CloneVisitor& each) {
  if (a == "#") {
    tagfromanyclone(uppercase(tag), each);
    return true;
  }
  std::optional<int32_t> n = parseinteger(a);
  if (!n) return false;
  tagclone(*n, uppercase(tag), each);
  return true;
}

std::optional<Slist> tagforallcloneorspecificclone(std::string_view a, std::string_view tag) {
  Slist names;
  auto collect = [&names](const std::string& name) {
    names.push_back(name);
    return true;
  };
  if (!eachtaggedclone(a, tag, collect)) return std::nullopt;
  return names;
}

std::optional<std::string> gettagfromfv(const BindingList& bindings) {
  for (const Binding& b : bindings)
    if (b.name == kTagsName) return b.value;
  return std::nullopt;
}

std::optional<std::string> gettag(int32_t n) {
  const Tags* t = facts().tags.find([n](const Tags& r) { return r.index == n; });
  if (!t) return std::nullopt;
  return t->tags;
}

std::optional<std::string> gettagfromfvortags(int32_t n, const BindingList& bindings) {
  if (auto tags = gettagfromfv(bindings)) return tags;
  return gettag(n);
}

std::optional<NameTags> pickidx(int mode, int32_t n, int64_t index) {
  const std::string* name = nullptr;
  if (mode == 1) {
    const Clone* c = nthrecord(facts().clone, index);
    if (c) name = &c->page;
  } else {
    const File* f = nthrecord(facts().file, index);
    if (f) name = &f->page;
  }
  if (!name) return std::nullopt;
  std::optional<std::string> tags;
  if (mode == 1) tags = firsttagsofclonenamed(*name);
  if (!tags) tags = gettag(n);
  if (!tags) return std::nullopt;
  return NameTags{*name, std::move(*tags)};
}

std::optional<LinkTags> gettagfnmvalues(int32_t n) {
  if (n >= kAllClones) return std::nullopt;
  std::optional<NameTags> item = n >= 0 ? pickidx(1, n, n) : pickidx(2, n, -int64_t{n} - 1);
  if (!item) return std::nullopt;
  std::optional<std::string> link = filenametolink(item->name);
  if (!link) return std::nullopt;
  return LinkTags{std::move(*link), std::move(item->tags)};
}

std::optional<std::string> filenametolink(std::string_view name) {
  const Root* root = facts().root.first();
  if (!root) return std::nullopt;
  std::string file = splitext(name).base;
  file += outputextension();
  std::optional<std::string> relative = afterprefix(root->folder, file);
  if (!relative) return std::nullopt;
  return str_replace("\\" + *relative, "\\", "/");
}

void collectanytag(int32_t n) {
  if (n == kAllClones) collectallclones();
  if (std::optional<LinkTags> item = gettagfnmvalues(n))
    facts().ct.set(entry(item->link, item->tags) + facts().ct.get());
}

}  // namespace qs
