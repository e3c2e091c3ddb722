#pragma once
// The report of source files that no listed page accounts for.

#include <string>
#include <string_view>

#include "foundation/records.h"

namespace qs {

/// Walks folder and its sub-folders (files first, depth first), recording a
/// un record per unlisted file whose output is missing or not newer.
void walkunknowns(const Slist& listed, std::string_view fragmentroot, std::string_view folder);
void walkunknowns2(const Slist& listed, std::string_view fragmentroot, std::string_view folder);
bool isnonprocessible(std::string_view upperext);
bool shouldnotbeseenearlier(const Slist& listed, std::string_view path);

}  // namespace qs
