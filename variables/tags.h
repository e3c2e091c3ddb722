#pragma once
// Tags of clones and pages: matching, selection and the collected entries.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/records.h"

namespace qs {

inline constexpr int32_t kAllClones = 999999;

/// Called with each selected clone name; returning false ends the walk.
using CloneVisitor = std::function<bool(const std::string&)>;

/// True when "," + tag occurs in tags or tags begins with tag + "," (both
/// already upper-cased).
bool commabeforeorafter(std::string_view tags, std::string_view tag);
/// True when some binding named "tags" in bindings matches tag (upper-cased).
bool isintaglist(std::string_view tag, const BindingList& bindings);
/// Visits, in project order, every clone whose tags match tag (upper-cased).
void tagfromanyclone(std::string_view tag, const CloneVisitor& each);
/// As tagfromanyclone, among the clones of page n.
void tagclone(int32_t n, std::string_view tag, const CloneVisitor& each);
/// Visits the clones selected by tag: A is "#" (all clones) or a page index.
/// False when A is neither.
bool eachtaggedclone(std::string_view a, std::string_view tag, const CloneVisitor& each);
/// Clone names selected by tag: A is "#" (all clones) or a page index.
std::optional<Slist> tagforallcloneorspecificclone(std::string_view a, std::string_view tag);

/// The value of the first binding named "tags".
std::optional<std::string> gettagfromfv(const BindingList& bindings);
/// The text of the first tags record numbered n.
std::optional<std::string> gettag(int32_t n);
/// The clone's own tags binding, else the tags record numbered n.
std::optional<std::string> gettagfromfvortags(int32_t n, const BindingList& bindings);

/// An item's name with its tags text.
struct NameTags {
  std::string name;
  std::string tags;
};
/// The item at 0-based index among the clone records (mode 1) or the file
/// records (mode 2), with its tags; n numbers the tags records to read.
/// Fails when there is no such item or it has no tags.
std::optional<NameTags> pickidx(int mode, int32_t n, int64_t index);
/// An item's link with its tags text.
struct LinkTags {
  std::string link;
  std::string tags;
};
/// The link and tags of item n: clone n for 0 <= n < kAllClones, page -n-1
/// for n < 0; nothing otherwise.
std::optional<LinkTags> gettagfnmvalues(int32_t n);

/// "/" + the name below the root folder with the output extension, "/"
/// between folders. Fails for a name outside the root folder.
std::optional<std::string> filenametolink(std::string_view name);
/// Collects the entries of item n (or of all clones for kAllClones) in front
/// of the ct record's text.
void collectanytag(int32_t n);

}  // namespace qs
