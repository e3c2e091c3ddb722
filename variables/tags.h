#pragma once
// Tags of clones and pages: matching, selection and the collected entries.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/records.h"

namespace qs {

inline constexpr int32_t kAllClones = 999999;

bool commabeforeorafter(std::string_view tags, std::string_view tag);
bool isintaglist(std::string_view tag, const BindingList& bindings);
/// Clone names selected by tag: A is "#" (all clones) or a page index.
std::optional<Slist> tagforallcloneorspecificclone(std::string_view a, std::string_view tag);
std::optional<std::string> filenametolink(std::string_view name);
/// Collects the entries of item n (or of all clones for kAllClones) in front
/// of the ct record's text.
void collectanytag(int32_t n);

}  // namespace qs
