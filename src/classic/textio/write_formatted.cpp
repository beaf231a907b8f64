// Running a parsed format over the values of one write statement.
#include <algorithm>
#include <cstring>

#include "textio/write.h"
#include "textio/diag.h"
#include "textio/detail/edit.h"
#include "textio/detail/recbuf.h"

namespace siteresp::textio {

namespace {

using Op = Format::Op;

// One record buffer serves every format-directed statement; statements do
// not nest, and each one hands its last record over before it returns.
RecordBuffer& record() {
  static RecordBuffer buffer;
  return buffer;
}

// Positions past this are refused by the record buffer; nX stops here so the
// column count cannot wrap around.
constexpr std::size_t max_position = std::size_t{1} << 29;

class FormatRun {
public:
  FormatRun(RecordSink& out, const Format& fmt, std::span<const Value> values)
      : out_(out), fmt_(fmt), ops_(fmt.ops()), values_(values), rec_(record()) {}

  void run() {
    while (step()) {
    }
    end_record();
  }

private:
  struct Frame {
    int begin;  // index of the group_begin
    int left;   // passes still to make, this one included
  };

  // Performs the item at pc_; false once the statement is over.
  bool step() {
    if (pc_ == fmt_.nops()) return restart();
    const Op& op = ops_[pc_++];
    switch (op.kind) {
      case Op::Kind::literal: put(fmt_.literals() + op.a, op.b); break;
      case Op::Kind::skip: pos_ = std::min(pos_ + static_cast<std::size_t>(op.a), max_position); break;
      case Op::Kind::slash: end_record(); break;
      case Op::Kind::group_begin: stack_[depth_++] = Frame{pc_ - 1, op.a}; break;
      case Op::Kind::group_end: repeat(); break;
      default:
        if (next_ == values_.size()) return false;  // the next value would go here
        edit(op, values_[next_++]);
    }
    return true;
  }

  // End of the format: done unless values are left, which then start a new
  // record and the format again from its reversion point.
  bool restart() {
    if (next_ == values_.size() || !fmt_.has_data()) return false;
    end_record();
    pc_ = fmt_.reversion();
    depth_ = 0;
    return true;
  }

  void repeat() {
    Frame& top = stack_[depth_ - 1];
    if (--top.left > 0)
      pc_ = top.begin + 1;
    else
      --depth_;
  }

  void put(const char* s, int n) {
    std::memcpy(rec_.field(pos_, static_cast<std::size_t>(n), out_), s, static_cast<std::size_t>(n));
    pos_ += static_cast<std::size_t>(n);
  }

  void edit(const Op& op, const Value& v) {
    char* dst = rec_.field(pos_, static_cast<std::size_t>(op.a), out_);
    pos_ += static_cast<std::size_t>(op.a);
    const bool is_real = v.kind == Value::Kind::real;
    if (op.kind == Op::Kind::i && !is_real)
      edit_i(dst, op.a, v.i);
    else if (op.kind == Op::Kind::f && is_real)
      edit_f(dst, op.a, op.b, v.r);
    else if (op.kind == Op::Kind::e && is_real)
      edit_e(dst, op.a, op.b, v.r);
    else
      std::memset(dst, '*', static_cast<std::size_t>(op.a));  // kind mismatch
  }

  void end_record() {
    rec_.put(out_);
    pos_ = 0;
  }

  RecordSink& out_;
  const Format& fmt_;
  const Op* ops_;
  std::span<const Value> values_;
  RecordBuffer& rec_;
  std::size_t next_ = 0;  // index of the next value
  std::size_t pos_ = 0;   // current column, 0-based
  int pc_ = 0;
  int depth_ = 0;
  Frame stack_[Format::max_depth];
};

}  // namespace

void write_formatted(RecordSink& out, const Format& fmt, std::span<const Value> values) {
  begin_statement(false, fmt.text());
  FormatRun(out, fmt, values).run();
  end_formatted_statement();
}

}  // namespace siteresp::textio
