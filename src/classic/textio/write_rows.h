#pragma once
// Rows of a result file: many format-directed statements with one format and
// the same number of real values each, as the data rows of the three result
// files are.  The bytes are those write_formatted() writes; the difference is
// that the format is walked once, when the writer is made, into a flat row
// of literals and fields, and each row is then edited straight into the
// channel's buffer.  A format whose rows are not one record of fixed length
// for that many reals (a slash, a skip, an I field, values left over for a
// second pass) is written the ordinary way, row by row.
#include <span>

#include "textio/channel.h"
#include "textio/write.h"

namespace siteresp::textio {

class RowWriter {
public:
  static constexpr int max_values = 32;

  // `values` (at most max_values) is the number of reals of every row; `fmt`
  // must outlive the writer.
  RowWriter(OutChannel& out, const Format& fmt, int values);
  RowWriter(const RowWriter&) = delete;
  RowWriter& operator=(const RowWriter&) = delete;

  // One row; v.size() must be the count given to the constructor.
  void row(std::span<const float> v);

  // Whether rows go the quick way (for the tests).
  bool flat() const { return flat_; }

private:
  struct Piece {
    bool field;  // else a literal
    bool fixed;  // F, else E
    short w;     // field width or literal length
    short d;     // decimals, or offset of the literal
  };
  static constexpr int max_pieces = 2 * max_values + 1;

  bool plan(int values);
  void row_the_long_way(std::span<const float> v);

  OutChannel& out_;
  const Format& fmt_;
  Piece pieces_[max_pieces] = {};
  int npieces_ = 0;
  int length_ = 0;
  bool flat_ = false;
};

}  // namespace siteresp::textio
