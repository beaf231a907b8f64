#pragma once
// Parsing of output formats into the flat program that write_formatted
// runs.  Everything is constexpr, so that a literal format is parsed while
// the program compiles; included by textio/write.h only.

namespace siteresp::textio {

// Recursive descent over the format text; every item becomes one or more
// Ops.  Any departure from the accepted forms, or a format too big for the
// fixed tables, makes the whole format invalid.
class FormatParser {
public:
  constexpr explicit FormatParser(Format& f) : f_(f), s_(f.text_) {}

  constexpr bool run() {
    if (s_ == nullptr || peek() != '(') return false;
    ++s_;
    if (!list(1)) return false;
    f_.has_data_ = data_count_ > 0;
    return peek() == '\0';
  }

private:
  using Op = Format::Op;

  // The next character that is not a blank, as an upper-case letter.
  constexpr char peek() {
    while (*s_ == ' ' || *s_ == '\t') ++s_;
    const char c = *s_;
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }

  constexpr bool emit(Op::Kind kind, int a, int b) {
    if (f_.nops_ >= Format::max_ops) return false;
    f_.ops_[f_.nops_++] = Op{kind, a, b};
    return true;
  }

  // Digits up to max_number; false when there are none or too many.
  constexpr bool number(int& v) {
    peek();
    if (*s_ < '0' || *s_ > '9') return false;
    v = 0;
    while (*s_ >= '0' && *s_ <= '9') {
      v = v * 10 + (*s_++ - '0');
      if (v > Format::max_number) return false;
    }
    return true;
  }

  // Items up to and including the closing parenthesis.
  constexpr bool list(int depth) {
    for (;;) {
      const char c = peek();
      if (c == ')') {
        ++s_;
        return true;
      }
      if (c == ',') {
        ++s_;
        continue;
      }
      if (c == '\0' || !item(depth)) return false;
    }
  }

  constexpr bool item(int depth) {
    const char c = peek();
    if (c == '\'' || c == '"') return literal(c);
    if (c == '/') {
      ++s_;
      return emit(Op::Kind::slash, 0, 0);
    }
    int count = 1;
    if (c >= '0' && c <= '9' && (!number(count) || count < 1)) return false;
    switch (peek()) {
      case '(': ++s_; return group(count, depth, true);
      case 'X': ++s_; return emit(Op::Kind::skip, count, 0);
      case 'I': return data(count, Op::Kind::i, depth);
      case 'F': return data(count, Op::Kind::f, depth);
      case 'E': return data(count, Op::Kind::e, depth);
      default: return false;
    }
  }

  constexpr bool literal(char quote) {
    const int offset = f_.nliteral_;
    for (++s_;; ++s_) {
      if (*s_ == '\0') return false;
      if (*s_ == quote && *++s_ != quote) break;  // a doubled quote is one
      if (f_.nliteral_ >= Format::max_literal) return false;
      f_.literals_[f_.nliteral_++] = *s_;
    }
    return emit(Op::Kind::literal, offset, f_.nliteral_ - offset);
  }

  // A group whose opening parenthesis is consumed (`explicit_group`), or the
  // group that stands for the repeat count of a data descriptor.
  constexpr bool group(int count, int depth, bool explicit_group) {
    if (depth > Format::max_depth) return false;
    const int begin = f_.nops_;
    const int data_before = data_count_;
    if (!emit(Op::Kind::group_begin, count, 0)) return false;
    if (explicit_group ? !list(depth + 1) : !descriptor()) return false;
    if (!emit(Op::Kind::group_end, 0, begin)) return false;
    f_.ops_[begin].b = f_.nops_ - 1;
    if (explicit_group && depth == 1) f_.reversion_ = data_count_ > data_before ? begin : 0;
    return true;
  }

  constexpr bool data(int count, Op::Kind kind, int depth) {
    pending_ = kind;
    return count == 1 ? descriptor() : group(count, depth, false);
  }

  // The descriptor letter of pending_ and its width (and decimals for F, E).
  constexpr bool descriptor() {
    ++s_;
    int w = 0, d = 0;
    if (!number(w) || w < 1) return false;
    if (pending_ != Op::Kind::i) {
      if (peek() != '.') return false;
      ++s_;
      if (!number(d)) return false;
    }
    ++data_count_;
    return emit(pending_, w, d);
  }

  Format& f_;
  const char* s_;
  Op::Kind pending_ = Op::Kind::i;
  int data_count_ = 0;
};

}  // namespace siteresp::textio
