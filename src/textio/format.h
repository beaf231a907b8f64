#pragma once
// Format-directed output: a format such as "(F8.4,6(',',E12.4))" is parsed
// once into a program of edit items; writing applies it to a list of values.
#include <cstdint>
#include <span>

#include "textio/record.h"

namespace siteresp::textio {

struct Value {
  enum class Kind { integer, real } kind;
  std::int32_t i = 0;
  float r = 0.0f;
  Value(std::int32_t v) : kind(Kind::integer), i(v) {}
  Value(float v) : kind(Kind::real), r(v) {}
};

class Format {
public:
  // `text` must outlive the Format (a string literal); it is also what a
  // diagnostic shows as the last format.
  explicit Format(const char* text);
  const char* text() const { return text_; }

  struct Op {
    enum class Kind { literal, skip, slash, group_begin, group_end, i, f, e } kind;
    int a = 0;          // width, skip count, group repeat, literal offset
    int b = 0;          // decimals, literal length, matching index
  };
  static constexpr int max_ops = 64;
  static constexpr int max_literal = 512;

  const Op* ops() const { return ops_; }
  int nops() const { return nops_; }
  const char* literals() const { return literals_; }

private:
  const char* text_;
  Op ops_[max_ops];
  int nops_ = 0;
  char literals_[max_literal];
};

// One format-directed write statement: one or more records to `out`.
void write_formatted(RecordSink& out, const Format& fmt, std::span<const Value> values);

}  // namespace siteresp::textio
