// The error-message catalogue: one fixed text per error number, compiled in.
#include <string>

#include "foundation/error.h"

namespace qs {

namespace {
struct CatalogueEntry {
  int code;
  const char* text;
};

constexpr CatalogueEntry kCatalogue[] = {
    {1031, "Integer value out of range"},
    {1041, "A record of this kind exists already and only one is allowed"},
    {1047, "Unexpected text after a complete value"},
    {1109, "More values than placeholders in the format"},
    {1135, "Path too long"},
    {1140, "Out of memory while formatting"},
    {1401, "Integer expected"},
    {1402, "Text without its closing double quote"},
    {1403, "Double quote expected"},
    {1405, "Opening square bracket expected"},
    {1406, "Comma or closing square bracket expected"},
    {1407, "Unknown name"},
    {1408, "Opening parenthesis expected"},
    {1409, "Comma or closing parenthesis expected"},
    {7002, "The system cannot find the file specified"},
    {7003, "The system cannot find the path specified"},
    {7005, "Access is denied"},
    {7019, "The media is write protected"},
    {7031, "A device attached to the system is not functioning"},
    {7032, "The file is being used by another process"},
    {7112, "There is not enough space on the disk"},
    {7145, "The directory is not empty"},
    {7183, "Cannot create a file when that file already exists"},
    {7206, "The filename or extension is too long"},
};
}  // namespace

std::string errormessage(int code) {
  for (const CatalogueEntry& e : kCatalogue)
    if (e.code == code) return e.text;
  return "Error " + std::to_string(code);
}

}  // namespace qs
