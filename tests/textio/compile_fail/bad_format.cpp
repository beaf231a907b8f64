// Must not compile: a literal format without the decimals of its F
// descriptor, declared as the program declares its formats.  The textio
// test "UnparsableLiteralFormatDoesNotCompile" compiles this file and
// expects the error to name format_cannot_be_parsed.
#include "textio/write.h"

const siteresp::textio::Format& row_format() {
  static const siteresp::textio::Format f("(I6,F9)");
  return f;
}
