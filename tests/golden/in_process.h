#pragma once
// Runs the program's run() in a forked child of the test: standard input
// from "answers.txt" in the directory, standard output to "transcript.txt"
// there, the directory as working directory.  Hooks run in the child just
// before and after run(); what the second returns comes back to the test.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "driver/run.h"

namespace golden {

struct InProcess {
  bool ok = false;   // run() returned 0 and the child ended normally
  long value = -1;   // what the after-hook returned
};

inline InProcess run_in_process(const std::string& dir, void (*before)(), long (*after)()) {
  int report[2];
  if (pipe(report) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    close(report[0]);
    const int in = open((dir + "/answers.txt").c_str(), O_RDONLY);
    const int out = open((dir + "/transcript.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || chdir(dir.c_str()) != 0) _exit(3);
    dup2(in, 0);
    dup2(out, 1);
    before();
    const int status = siteresp::run();
    const long v = after();
    if (write(report[1], &v, sizeof v) != sizeof v) _exit(4);
    _exit(status);
  }
  close(report[1]);
  InProcess r;
  if (read(report[0], &r.value, sizeof r.value) != sizeof r.value) r.value = -1;
  close(report[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  r.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return r;
}

}  // namespace golden
