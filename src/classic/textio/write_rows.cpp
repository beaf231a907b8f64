// The flat row of a format and the rows edited from it.
#include "textio/write_rows.h"

#include <cstring>

#include "textio/diag.h"
#include "textio/detail/edit.h"

namespace siteresp::textio {

namespace {

using Op = Format::Op;

}  // namespace

RowWriter::RowWriter(OutChannel& out, const Format& fmt, int values) : out_(out), fmt_(fmt) {
  flat_ = fmt.valid() && values > 0 && values <= max_values && plan(values);
}

// Walks the format as write_formatted() does for `values` reals, noting the
// literals and fields of the record instead of writing them.  Gives up on
// anything that makes the record other than one line of fixed pieces.
bool RowWriter::plan(int values) {
  struct Frame {
    int begin, left;
  };
  Frame stack[Format::max_depth];
  int depth = 0, used = 0, pc = 0;
  while (pc < fmt_.nops()) {
    const Op& op = fmt_.ops()[pc++];
    if (npieces_ == max_pieces) return false;
    if (op.kind == Op::Kind::literal) {
      if (op.a > 32767 || op.b > 32767) return false;
      pieces_[npieces_++] = {false, false, static_cast<short>(op.b), static_cast<short>(op.a)};
      length_ += op.b;
    } else if (op.kind == Op::Kind::group_begin) {
      stack[depth++] = {pc - 1, op.a};
    } else if (op.kind == Op::Kind::group_end) {
      Frame& top = stack[depth - 1];
      if (--top.left > 0)
        pc = top.begin + 1;
      else
        --depth;
    } else if (op.kind == Op::Kind::f || op.kind == Op::Kind::e) {
      if (used == values) return true;  // the record ends before this field
      ++used;
      pieces_[npieces_++] = {true, op.kind == Op::Kind::f, static_cast<short>(op.a),
                             static_cast<short>(op.b)};
      length_ += op.a;
    } else {
      return false;  // skip, slash or an integer field
    }
  }
  return used == values;  // values left over would start a second record
}

void RowWriter::row(std::span<const float> v) {
  char* dst = flat_ ? out_.record_space(static_cast<std::size_t>(length_)) : nullptr;
  if (dst == nullptr) return row_the_long_way(v);
  // The statement leaves the diagnostics' bookkeeping as write_formatted()
  // leaves it; nothing in between can report a format.
  begin_statement(false, fmt_.text());
  char* p = dst;
  std::size_t next = 0;
  for (int i = 0; i < npieces_; ++i) {
    const Piece& c = pieces_[i];
    if (!c.field) {
      std::memcpy(p, fmt_.literals() + c.d, static_cast<std::size_t>(c.w));
    } else if (c.fixed) {
      edit_f(p, c.w, c.d, v[next++]);
    } else {
      edit_e(p, c.w, c.d, v[next++]);
    }
    p += c.w;
  }
  out_.commit_record(static_cast<std::size_t>(length_));
  end_formatted_statement();
}

void RowWriter::row_the_long_way(std::span<const float> v) {
  Value values[max_values];
  const std::size_t n = v.size() < max_values ? v.size() : max_values;
  for (std::size_t i = 0; i < n; ++i) values[i] = Value(v[i]);
  write_formatted(out_, fmt_, std::span<const Value>(values, n));
}

}  // namespace siteresp::textio
