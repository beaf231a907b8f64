#pragma once
// Numbered channels: the console streams and the files of a run.
//
// Input is read one character at a time with one character of push-back; a
// carriage return directly before a line feed belongs to the line end, so
// get() never returns it there.  Output records go out through RecordSink:
// console records are written at once, one write per record, so a prompt is
// on the terminal before the program waits; a result file is buffered and
// written in large blocks.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "textio/record.h"

namespace siteresp::textio {

// Channel numbers named by the diagnostics.
inline constexpr int unit_console_in = 5;
inline constexpr int unit_console_out = 6;
inline constexpr int unit_wave = 11;
inline constexpr int unit_soil = 4;
inline constexpr int unit_amp_factors = 9;
inline constexpr int unit_amp1 = 10;
inline constexpr int unit_wave1 = 11;

// Longest file name kept for diagnostics (names are at most 30 characters).
inline constexpr int max_name = 64;

inline constexpr int end_of_data = -1;

class InChannel {
public:
  InChannel() = default;
  InChannel(const InChannel&) = delete;
  InChannel& operator=(const InChannel&) = delete;

  // Standard input as channel 5 (unnamed).
  void attach_console();
  // Opens an existing file for reading on `unit`.  `name` holds `len`
  // characters; trailing blanks are removed, leading blanks kept.  A blank
  // name, a missing file or any refused open ends the run with the open
  // diagnostic.
  void open_existing(int unit, const char* name, std::size_t len);
  // Releases the channel and its name.
  void close();

  // Next character (0..255), '\n' for a line end, end_of_data at the end.
  // Plain bytes come straight from the buffer; push-back, look-ahead,
  // carriage returns and refills take the long way.
  int get() {
    if (!has_pushed_ && !has_lookahead_ && pos_ < len_ && buf_[pos_] != '\r') return buf_[pos_++];
    return get_slow();
  }
  // Pushes back the last character returned by get() (one level).
  void unget(int c);
  // `c`, the character get() returned last, followed by the bytes get()
  // would return next, as far as the buffer holds them in one piece; empty
  // when it does not (a pushed-back or looked-ahead character waiting, a
  // refill in between).  A carriage return in it may still be half of a
  // line end.  skip(n) consumes n of the bytes after `c`.
  std::string_view buffered_from(int c) const {
    if (has_pushed_ || has_lookahead_ || pos_ == 0 || buf_[pos_ - 1] != c) return {};
    return {reinterpret_cast<const char*>(buf_ + pos_ - 1), len_ - pos_ + 1};
  }
  void skip(std::size_t n) { pos_ += n; }

  bool eof_mark() const { return eof_mark_; }
  void set_eof_mark() { eof_mark_ = true; }
  int unit() const { return unit_; }
  // File name for diagnostics, nullptr for the console.
  const char* name() const { return named_ ? name_ : nullptr; }

private:
  int get_slow();
  int raw_get();
  bool refill();
  void reset(int fd, int unit);

  int fd_ = -1;
  int unit_ = 0;
  bool named_ = false;
  bool eof_mark_ = false;
  bool at_end_ = false;
  // The caller's push-back slot, and a second slot for the raw byte read
  // after a carriage return to see whether a line feed follows.
  bool has_pushed_ = false;
  bool has_lookahead_ = false;
  int pushed_ = 0;
  int lookahead_ = 0;
  char name_[max_name + 1] = {};
  std::size_t pos_ = 0, len_ = 0;
  unsigned char buf_[1 << 16];
};

class OutChannel final : public RecordSink {
public:
  OutChannel() = default;
  OutChannel(const OutChannel&) = delete;
  OutChannel& operator=(const OutChannel&) = delete;

  // Standard output as channel 6 (unnamed): every record written at once.
  void attach_console();
  // Creates or replaces the result file `name` on `unit`; afterwards it holds
  // exactly what is written before close().  A refused open ends the run with
  // the open diagnostic.
  void create(int unit, const char* name);
  // Writes out what is buffered and closes; a failure ends the run.
  void close();

  void put_record(const char* p, std::size_t n) override;
  int unit() const override { return unit_; }

  // Composing a record of exactly n bytes in place, for writers that know
  // its length beforehand: record_space() makes room (writing out the buffer
  // first when the record would not fit, just as put_record() does) and
  // returns where the record goes; commit_record() then adds it and its line
  // end.  nullptr for the console, a file that may only be read, a closed
  // channel or a record longer than the buffer: those take put_record().
  // Until the commit the record is not part of the file, so an abnormal end
  // in between writes out only whole records.
  char* record_space(std::size_t n) {
    if (console_ || read_only_ || fd_ < 0 || n + 1 > sizeof buf_) return nullptr;
    if (len_ + n + 1 > sizeof buf_) flush();
    return buf_ + len_;
  }
  void commit_record(std::size_t n) {
    buf_[len_ + n] = '\n';
    len_ += n + 1;
  }
  const char* name() const { return named_ ? name_ : nullptr; }
  bool is_open() const { return fd_ >= 0; }

  // Writes what is buffered and closes the descriptor, ignoring failures.
  // Async-signal-safe: used by the abnormal end and the signal handlers.
  void flush_for_exit() noexcept;

private:
  void flush();
  void write_through(const char* p, std::size_t n);
  [[noreturn]] void lost(const char* what, int err);

  int fd_ = -1;
  int unit_ = 0;
  bool named_ = false;
  bool console_ = false;
  bool read_only_ = false;
  char name_[max_name + 1] = {};
  std::size_t len_ = 0;
  char buf_[1 << 16];
};

// The console channels of the program.
InChannel& console_in();
OutChannel& console_out();

// Flushes and closes every open result file (async-signal-safe).
void flush_open_files() noexcept;

}  // namespace siteresp::textio
