#pragma once
// Source resolution: where a page or fragment name is looked for, where a
// page's output goes, and how a source's text is read by its kind.

#include <optional>
#include <string>
#include <string_view>

namespace qs {

/// Mode 1: the fragment folder setting; any other mode (and mode 1 without
/// one): the build folder setting.
std::string getfoldernm(int mode);
/// Makes a path usable; never fails for modes 1 and 2.
std::string verifyfile(int mode, std::string_view path);
/// Resolves a source (mode 1) or build-side/folder (mode 2) name.
std::string getproperfn(int mode, std::string_view name);
/// The build-side path of a page name, remote ("file=" field) or local.
std::string getproperfnorurl(std::string_view name);
/// name in the project folder (parent of fragment folder + root), if it
/// exists there.
std::optional<std::string> getfromprojectfolder(std::string_view name);
/// Text of a page or fragment; a clone reads its source page instead.
std::optional<std::string> getfile_str(std::string_view name, std::string_view full);
/// Text of a resolved source by its kind; reports and fails when nothing
/// works.
std::optional<std::string> getfile_str(std::string_view path);

}  // namespace qs
