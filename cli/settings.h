#pragma once
// Settings: the optional "quernstow.cfg" of the working folder, the
// compiled-in defaults, the two compiled-in handlers and the per-run cache.

namespace qs {

/// Replaces the settings with those of "quernstow.cfg" in the working folder
/// (when it exists) completed by the defaults. Fails when the file exists but
/// does not read as settings; the records of the lines before the bad one
/// stay stored and no default is added.
bool dodefaults();
/// Adds the default of every setting not given, the compiled-in handlers,
/// and creates and empties the cache folder beside the executable.
void insertdefaults();

}  // namespace qs
