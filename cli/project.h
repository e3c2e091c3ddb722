#pragma once
// Loading the project file (local or "https://") into the fact store, and
// checking and completing its root folder.

#include <string>
#include <string_view>

#include "foundation/records.h"

namespace qs {

/// Loads the project named name: a remote project for an "https://" name,
/// else the file name resolved against the working folder.
bool fetchorpullinproj(std::string_view name);
/// Fetches the project at url through the HTTP client into a fresh
/// temporary file, stores it and leaves quiet mode.
bool fetchhttpsproj(std::string_view url);
/// Reads the file at path (quotes removed) and stores its records. A read
/// error is not caught.
bool pullinproj(std::string_view path);
/// Reads text as the elements of one project list (line breaks removed) and
/// stores the records; nothing is stored when it does not read.
bool parseprojectstring(std::string_view text);
/// Appends every record in list order (a second root, directfiles or notes
/// raises 1041).
void assertproj(const ProjectFactList& records);
/// Fails, with its message, when the project has no root; makes the root
/// end with "\".
bool checkroot();
/// Removes the quiet record, if any.
void removequiet();
/// The full path of the project file loaded from disk.
std::string currproj();

}  // namespace qs
