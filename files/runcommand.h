#pragma once

#include <string_view>

namespace qs {

/// Runs a child program and waits for it: directly when the first word is an
/// existing ".EXE", else through the command interpreter. A child that cannot
/// start gives 0.
int runcommand(std::string_view commandline, int showwindow = 0);

}  // namespace qs
