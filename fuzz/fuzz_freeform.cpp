// Free-form reads of arbitrary item lists over arbitrary bytes.
//
// Input: byte 0 chooses the statements: bits 0-2 the number of items (0
// makes every statement a fixed-width name read instead), bits 3-6 how many
// statements read the file one after another (1..16), bit 7 an end branch.
// One byte per item follows: its two low bits the kind (0 integer, 1 real,
// 2 and 3 character), and for a character item one more byte, its length
// minus one (1..256).  The rest is the file, read on channel 11.
//
// Every destination sits between guard bytes in a block of its own; after
// each statement the guards must be intact, a statement must have returned
// (ReadResult::end only with an end branch) or ended through the diagnostic
// of its context, and a statement that starts at the end of the data must
// store nothing.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "support.h"
#include "textio/channel.h"
#include "textio/read.h"

namespace {

using siteresp::textio::Item;
using siteresp::textio::ReadResult;

constexpr std::size_t guard = 16;
constexpr unsigned char guard_byte = 0xA5;
constexpr int max_items = 7;

struct Plan {
  int nitems = 0;      // 0: name reads
  int statements = 1;
  bool end_branch = false;
  Item::Kind kind[max_items] = {};
  int len[max_items] = {};  // bytes of each destination
};

// Reads the plan from the front of the input; false when it is cut short.
bool read_plan(std::string_view& in, Plan& p) {
  if (in.empty()) return false;
  const auto b0 = static_cast<unsigned char>(in[0]);
  in.remove_prefix(1);
  p.nitems = b0 & 7;
  p.statements = 1 + ((b0 >> 3) & 15);
  p.end_branch = (b0 & 0x80) != 0;
  for (int i = 0; i < p.nitems; ++i) {
    if (in.empty()) return false;
    const int k = static_cast<unsigned char>(in[0]) & 3;
    in.remove_prefix(1);
    p.kind[i] = k == 0 ? Item::Kind::integer : k == 1 ? Item::Kind::real : Item::Kind::chars;
    p.len[i] = 4;
    if (p.kind[i] == Item::Kind::chars) {
      if (in.empty()) return false;
      p.len[i] = 1 + static_cast<unsigned char>(in[0]);
      in.remove_prefix(1);
    }
  }
  return true;
}

// A destination of `len` bytes between guards, in a heap block of exactly
// that size so that the sanitizer sees the block's ends too.
struct Dest {
  std::vector<unsigned char> block;
  int len;
  explicit Dest(int n) : block(guard + static_cast<std::size_t>(n) + guard, guard_byte), len(n) {
    std::memset(at(), 0x5A, static_cast<std::size_t>(n));
  }
  unsigned char* at() { return block.data() + guard; }
  bool guards_intact() const {
    for (std::size_t i = 0; i < guard; ++i)
      if (block[i] != guard_byte || block[block.size() - 1 - i] != guard_byte) return false;
    return true;
  }
};

std::string_view expected_channel_lines(bool name_read) {
  return name_read ? "apparent state: unit 11 named f\nlast format: (A20)\n"
                     "lately reading sequential formatted external IO\n"
                   : "apparent state: unit 11 named f\nlast format: list io\n"
                     "lately reading sequential formatted external IO\n";
}

void check_diagnostic(std::string_view diag, bool name_read, bool at_end) {
  static constexpr std::string_view list_failures[] = {
      "list in: end of file\n",
      "invalid number: incomprehensible list input\n",
      "exponent field: incomprehensible list input\n",
      "bad repetition count: incomprehensible list input\n",
      "invalid integer: read unexpected character\n",
  };
  const std::string_view tail = expected_channel_lines(name_read);
  if (diag.size() <= tail.size() || diag.substr(diag.size() - tail.size()) != tail)
    fuzzing::finding("diagnostic names the wrong channel or statement", diag);
  const std::string_view first = diag.substr(0, diag.size() - tail.size());
  bool ok = false;
  if (name_read) {
    ok = first == "fmt: end of file\n";
  } else if (at_end) {
    ok = first == "read start: end of file\n";
  } else {
    for (std::string_view f : list_failures) ok = ok || first == f;
  }
  if (!ok) fuzzing::finding("unexpected diagnostic", diag);
}

// One statement; false once the run has ended through the diagnostic.
bool statement(siteresp::textio::InChannel& ch, const Plan& p, std::vector<Dest>& dests) {
  Item items[max_items];
  for (int i = 0; i < p.nitems; ++i) {
    const bool chars = p.kind[i] == Item::Kind::chars;
    items[i] = {p.kind[i], dests[i].at(), chars ? dests[i].len : 0};
  }
  const bool at_end = ch.eof_mark();
  std::vector<std::vector<unsigned char>> before;
  for (Dest& d : dests) before.push_back(d.block);

  ReadResult result = ReadResult::complete;
  const fuzzing::Outcome o = fuzzing::guarded([&] {
    if (p.nitems == 0) {
      siteresp::textio::name_read(ch, *reinterpret_cast<char(*)[30]>(dests[0].at()));
    } else {
      result = siteresp::textio::list_read(ch, std::span<const Item>(items, static_cast<std::size_t>(p.nitems)),
                                           p.end_branch);
    }
  });
  for (const Dest& d : dests)
    if (!d.guards_intact()) fuzzing::finding("a read wrote outside its destination");
  if (o.abnormal) {
    check_diagnostic(o.diag, p.nitems == 0, at_end);
    return false;
  }
  if (!o.diag.empty()) fuzzing::finding("standard error written by a read that returned", o.diag);
  if (result == ReadResult::end && !p.end_branch) fuzzing::finding("end branch taken by a read without one");
  if (at_end && p.nitems > 0) {
    if (result != ReadResult::end) fuzzing::finding("a read at the end of the data completed");
    for (std::size_t i = 0; i < dests.size(); ++i)
      if (dests[i].block != before[i]) fuzzing::finding("a read at the end of the data stored a value");
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzzing::InScratch here;
  std::string_view in(reinterpret_cast<const char*>(data), size);
  Plan p;
  if (!read_plan(in, p)) return 0;
  fuzzing::put_file("f", in);
  std::vector<Dest> dests;
  if (p.nitems == 0) dests.emplace_back(30);
  for (int i = 0; i < p.nitems; ++i) dests.emplace_back(p.len[i]);

  static siteresp::textio::InChannel ch;
  const fuzzing::Outcome opened = fuzzing::guarded([] { ch.open_existing(siteresp::textio::unit_wave, "f", 1); });
  fuzzing::check_outcome(opened, {});
  if (opened.abnormal) fuzzing::finding("the scratch file did not open", opened.diag);
  for (int s = 0; s < p.statements; ++s)
    if (!statement(ch, p, dests)) break;
  ch.close();
  return 0;
}
