#pragma once
// The report of source files that no listed page accounts for.

#include <string>
#include <string_view>
#include <vector>

#include "foundation/records.h"

namespace qs {

/// Walks folder and its sub-folders (files first, depth first), recording a
/// un record per unlisted file whose output is missing or not newer.
void walkunknowns(const Slist& listed, std::string_view fragmentroot, std::string_view folder);
/// Examines the files directly in folder. The output path is the absolute
/// build folder followed by the file's path below fragmentroot.
void walkunknowns2(const Slist& listed, std::string_view fragmentroot, std::string_view folder);
/// One of the 15 media extensions (".JS", ".CSS", ".PNG", ...) exactly.
bool isnonprocessible(std::string_view upperext);
/// True when some listed name occurs inside path.
bool shouldnotbeseenearlier(const Slist& listed, std::string_view path);
/// True when target does not exist, or when the source's last write (the
/// stamp given) is at or after target's.
bool checkifnewer(std::string_view target, int day, int month, int year, int hour, int minute,
                  int second);
/// Stamps as (Day, Month, Year, Hour, Minute, Second); true when both hold
/// six values and the source's is at or after the target's.
bool comes_after(const std::vector<int>& targetstamp, const std::vector<int>& sourcestamp);
/// The source stamp (y..s) against the target's (ty..ts): later, or equal
/// down to the second.
bool onetrue(int y, int mo, int d, int h, int mi, int s, int ty, int tmo, int td, int th, int tmi,
             int ts);

}  // namespace qs
