#pragma once
// The main sequences of a run: a verb on the project's build folder, or the
// build of the whole project.

#include <string_view>

namespace qs {

/// The build variant: runs a leading verb ("clean", "empty", "copy") when
/// its sequence succeeds, else builds the project named s (quotes removed),
/// else prints the failure message. Never fails.
void clean_or_empty_or_process(std::string_view s);
/// The verb variant: loads the project filename, checks its root and runs
/// the verb on its build folder. Fails for any other verb or failing step.
bool clean_or_empty_or_process(std::string_view verb, std::string_view filename);

}  // namespace qs
