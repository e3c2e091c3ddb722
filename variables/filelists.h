#pragma once
// Generated lists of pages, clones (also by tag) and global values.

#include <cstdint>
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
/// The list a spec selects, and its kind.
FoundList findallf(std::string_view spec);
/// The items formatted and joined; fails when any item fails.
std::optional<std::string> formatfilenames(int32_t position, ListKind kind, int count,
                                           const Slist& list, std::string_view format,
                                           std::string start);
/// The file-list variable ("~" + spec + "<" ...): the formatted list, or
/// nothing when name is no file list or the list fails.
std::optional<std::string> getfilelist(std::string_view name);

}  // namespace qs
