#pragma once
// Generated lists of pages, clones (also by tag) and global values.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/records.h"

namespace qs {

enum class ListKind { Pages, Clones, Values };

struct FoundList {
  Slist items;
  ListKind kind;
};
/// Called with the list's kind and each item in order; returning false ends
/// the walk.
using ItemVisitor = std::function<bool(ListKind, const std::string&)>;
/// Walks the list that selector names straight over the records, without copying
/// them; gives the list's kind.
ListKind eachf(std::string_view selector, const ItemVisitor& each);
/// The list that selector names, and its kind.
FoundList findallf(std::string_view selector);
/// The items formatted and joined; fails when any item fails.
std::optional<std::string> formatfilenames(int32_t position, ListKind kind, int count,
                                           const Slist& list, std::string_view format,
                                           std::string start);
/// The file-list variable ("~" + selector + "<" ...): the formatted list, or
/// nothing when name is no file list or the list fails.
std::optional<std::string> getfilelist(std::string_view name);

/// An item's link and its readable prompt.
struct LinkPrompt {
  std::string link;
  std::string prompt;
};
/// Link and prompt of a list item; a remote name uses its "file=" field.
std::optional<LinkPrompt> striptojustfilename(ListKind kind, std::string_view name);
/// Link and prompt of a local name; fails outside the root folder.
std::optional<LinkPrompt> striptojustfilename2(ListKind kind, std::string_view name);
/// The part of relative that names the item: the folder of an index page,
/// else the file name.
std::string asperfilenamepath(ListKind kind, std::string_view relative);
/// "Home" for "", a folder's name for a folder, else the file name's first
/// token; "_" becomes " ". Fails when there is no token.
std::optional<std::string> getlnkprompt(std::string_view text);
/// The first character upper-cased; fails on "".
std::optional<std::string> capitalize(std::string_view text);
/// One item's entry, by the number of "%" in the format; fails on a
/// formatting error or more than four "%".
std::optional<std::string> formataspercount(int32_t position, ListKind kind, int count,
                                            std::string_view link, std::string_view prompt,
                                            std::string_view format);
/// The two-"%" entry: (position, link) for values, else (link, prompt).
std::optional<std::string> formattype(ListKind kind, std::string_view format, std::string_view link,
                                      std::string_view prompt, int32_t position);

}  // namespace qs
