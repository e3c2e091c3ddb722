#include "engine/scanner.h"

#include <string>

#include "engine/interpreter.h"
#include "foundation/console.h"
#include "foundation/errorreport.h"
#include "foundation/factstore.h"
#include "foundation/formatter.h"
#include "foundation/termreader.h"

namespace qs {

void addtocurrstream(std::string_view piece) {
  // Appending in place keeps the cost of a page linear in its length.
  facts().accumulator.get().append(piece);
}

namespace {

/// The instruction text with its line feeds deleted (not replaced by blanks).
std::string withoutlinefeeds(std::string_view inner) {
  std::string out;
  out.reserve(inner.size());
  for (char c : inner)
    if (c != '\n') out += c;
  return out;
}

/// Reads wrapped as an instruction list; a reading error is a plain failure
/// here (the text is then shown as unknown, not reported as an error).
bool readandrun(std::string_view wrapped) {
  InstructionList list;
  try {
    list = readvalue<InstructionList>(wrapped);
  } catch (const RuntimeError&) {
    return false;
  }
  return actontokens2(list);
}

}  // namespace

bool actontokens2(const InstructionList& list) {
  for (const Instruction& ins : list)
    if (!actontokens3(ins)) return false;
  return true;
}

void actontokens(std::string_view wrapped) {
  if (readandrun(wrapped)) return;
  std::string_view inner = wrapped;
  if (!inner.empty() && inner.front() == '[') inner.remove_prefix(1);
  if (!inner.empty() && inner.back() == ']') inner.remove_suffix(1);
  addtocurrstream(inner);
  qwrite(
      formattext("Warning: Unknown meta-instruction found in\n%\n\n", {getcurrfn().value_or("")}));
}

bool stream_toks(std::string_view text, std::string_view start, std::string_view end) {
  // Empty delimiters cannot mark anything: such a text has no instructions.
  if (start.empty() || end.empty()) {
    addtocurrstream(text);
    return true;
  }
  for (;;) {
    size_t open = text.find(start);
    if (open == std::string_view::npos) {
      addtocurrstream(text);
      return true;
    }
    addtocurrstream(text.substr(0, open));
    std::string_view rest = text.substr(open + start.size());
    size_t close = rest.find(end);
    if (close == std::string_view::npos) return false;
    actontokens("[" + withoutlinefeeds(rest.substr(0, close)) + "]");
    text = rest.substr(close + end.size());
  }
}

}  // namespace qs
