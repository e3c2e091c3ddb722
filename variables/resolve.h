#pragma once
// Variable resolution: tag collections, the stream stack's bindings, the
// globals and the built-in names.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/records.h"

namespace qs {

/// The value of the first binding named name in list.
std::optional<std::string> fetchcorrectval(const BindingList& list, std::string_view name);
/// The value of a variable, or nothing when no source knows it.
std::optional<std::string> fetchfromallvars(std::string_view name);
/// Built-in names: file lists, "_c", "_p", "_pd", "_pf", date and time,
/// environment variables.
std::optional<std::string> getuniversalvar(std::string_view name);
/// Date and time names ("_y", "_m", ...).
std::optional<int32_t> getuniversaldvar(std::string_view name);

}  // namespace qs
