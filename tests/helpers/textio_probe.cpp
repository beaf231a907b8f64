// A small program that runs text channel operations named on its command
// line, so that tests can watch diagnostics, abnormal ends and signals from
// outside.  Each argument is one step, run in order:
//   name                 name read from the console, echoes «name=[...]»
//   list:ITEMS           free-form read from the current input, no end branch
//   open:UNIT:NAME       opens NAME for reading; later reads use it
//   create:UNIT:NAME:N   creates a result file and writes N records into it
//   close                closes the result file
//   say:TEXT             writes TEXT as a console record
//   wait                 echoes «ready», then reads one value from the console
//   stdin:PATH           standard input from PATH from now on
//   stdout:PATH          standard output to PATH from now on
// ITEMS lists the items: i (integer), r (real), c<L> (L characters).
// Every value read is echoed on standard output, one per line.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <csignal>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "textio/channel.h"
#include "textio/diag.h"
#include "textio/listread.h"

namespace tx = siteresp::textio;

namespace {

tx::InChannel file_in;
tx::InChannel* input = nullptr;
tx::OutChannel result;

void say(const std::string& s) { tx::console_out().put_record(s.data(), s.size()); }

struct Slots {
  std::int32_t ints[16] = {};
  float reals[16] = {};
  char chars[16][tx::max_chars_item] = {};
  std::vector<tx::Item> items;
  std::vector<char> kinds;
};

void parse_items(const char* kinds, Slots& s) {
  for (int k = 0; *kinds != '\0' && k < 16; ++k) {
    const char t = *kinds++;
    if (t == 'i') {
      s.items.push_back(tx::Item::of(s.ints[k]));
      s.kinds.push_back('i');
    } else if (t == 'r') {
      s.items.push_back(tx::Item::of(s.reals[k]));
      s.kinds.push_back('r');
    } else {
      char* end = nullptr;
      const long len = std::strtol(kinds, &end, 10);
      kinds = end;
      std::memset(s.chars[k], '.', sizeof s.chars[k]);
      s.items.push_back(tx::Item::chars(s.chars[k], static_cast<int>(len)));
      s.kinds.push_back('c');
    }
  }
}

void echo(const Slots& s) {
  char line[tx::max_chars_item + 32];
  for (std::size_t k = 0; k < s.items.size(); ++k) {
    if (s.kinds[k] == 'i') {
      std::snprintf(line, sizeof line, "i=%d", static_cast<int>(s.ints[k]));
    } else if (s.kinds[k] == 'r') {
      std::snprintf(line, sizeof line, "r=%.9g", static_cast<double>(s.reals[k]));
    } else {
      std::snprintf(line, sizeof line, "c=[%.*s]", s.items[k].len, s.chars[k]);
    }
    say(line);
  }
}

void read_list(const char* kinds) {
  Slots s;
  parse_items(kinds, s);
  tx::list_read(*input, s.items, false);
  echo(s);
}

void create(const char* arg) {
  char name[256];
  int unit = 0, n = 0;
  if (std::sscanf(arg, "%d:%255[^:]:%d", &unit, name, &n) != 3) std::exit(2);
  result.create(unit, name);
  tx::begin_statement(false, "list io");
  for (int k = 1; k <= n; ++k) {
    const std::string rec = " record " + std::to_string(k);
    result.put_record(rec.data(), rec.size());
  }
}

void step(const std::string& a) {
  const auto arg = [&](std::size_t skip) { return a.c_str() + skip; };
  if (a == "name") {
    char name[30];
    tx::name_read(tx::console_in(), name);
    say("name=[" + std::string(name, sizeof name) + "]");
  } else if (a.rfind("list:", 0) == 0) {
    read_list(arg(5));
  } else if (a.rfind("open:", 0) == 0) {
    const int unit = std::atoi(arg(5));
    const char* name = std::strchr(arg(5), ':') + 1;
    file_in.open_existing(unit, name, std::strlen(name));
    input = &file_in;
  } else if (a.rfind("create:", 0) == 0) {
    create(arg(7));
  } else if (a == "close") {
    result.close();
  } else if (a.rfind("say:", 0) == 0) {
    tx::begin_statement(false, "list io");
    say(arg(4));
  } else if (a.rfind("stdin:", 0) == 0) {
    dup2(open(arg(6), O_RDONLY), 0);
  } else if (a.rfind("stdout:", 0) == 0) {
    dup2(open(arg(7), O_WRONLY), 1);
  } else if (a == "wait") {
    say("ready");
    read_list("r");
  } else {
    std::exit(2);
  }
}

}  // namespace

int main(int argc, char** argv) {
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  tx::install_signal_handlers();
  input = &tx::console_in();
  for (int k = 1; k < argc; ++k) step(argv[k]);
  return 0;
}
