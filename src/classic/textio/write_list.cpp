#include "textio/write.h"

#include "textio/diag.h"
#include "textio/detail/edit.h"

namespace siteresp::textio {

ListWriter::ListWriter(RecordSink& out) : out_(out) { begin_statement(false, "list io"); }

ListWriter& ListWriter::text(std::string_view s) {
  append(s.data(), s.size(), s.size(), true);
  return *this;
}

// The blank and the sign do not count towards the line length, so a record
// that ends with an integer can reach column 81.
ListWriter& ListWriter::integer(std::int32_t v) {
  char item[16];
  const auto n = static_cast<std::size_t>(edit_free_integer(item, v));
  append(item, n, n - (v < 0 ? 2 : 1), false);
  return *this;
}

ListWriter& ListWriter::real(float v) {
  char item[32];
  const auto n = static_cast<std::size_t>(edit_free_real(item, v));
  append(item, n, n, false);
  return *this;
}

void ListWriter::end() { flush_record(); }

void ListWriter::append(const char* p, std::size_t n, std::size_t counted, bool is_text) {
  if (!rec_.empty() && rec_.size() + counted >= line_length) flush_record();
  if (is_text && rec_.empty()) rec_.append(" ", 1, out_);
  rec_.append(p, n, out_);
}

void ListWriter::flush_record() { rec_.put(out_); }

}  // namespace siteresp::textio
