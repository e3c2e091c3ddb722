#pragma once
// The program's entry and top-level driver: the command-line text, the
// options, the banner, the usage text, the notes and the report of an
// unexpected error.

#include <string>
#include <string_view>

#include "foundation/error.h"

namespace qs {

/// The command-line text from the full command line: the program name
/// (quoted or up to the first space) and the blanks around it skipped, the
/// rest byte for byte.
std::string commandlinetext(std::string_view fullcommandline);

/// One run: settings, options, then the notes, a verb or the build; the
/// usage text when the run cannot start.
void processfiles();

/// Removes every "-q" and stores quiet; without one, prints the banner.
std::string checkifquiet(std::string_view in);
/// Stores one quiet record (a second one is refused silently).
void qassert();
/// Removes every "-r" and stores create.
std::string checkifcreate(std::string_view in);
/// Stores one create record (a second one is refused silently).
void cassert();
/// Removes every "-h" and sets the hlp record to 1.
std::string checkifhelp(std::string_view in);
/// True when the stored hlp value is n.
bool hlp(int n);
/// With -h: the notes of the project named s, if it loads; otherwise the
/// verb or the build.
void h_clean_or_empty_or_process(std::string_view s);
/// The project's notes (or the line saying there are none), always written.
void writenotes();
/// The banner with the version, through qwrite.
void banner();
/// The usage text through qwrite, then the wait for one character.
void usage();

/// The report of an error that nothing caught.
std::string unexpectederrorreport(const RuntimeError& e);

/// The whole process: runs processfiles and turns an uncaught error into its
/// report and exit status. Returns the exit status of an ordinary outcome.
int runprogram(int argc, char** argv);

}  // namespace qs
