// The helper thread of the sweeps: parked on a condition variable between
// sweeps, and blocking every signal, so that signals reach the main thread
// as in a single-threaded run.
#include "response/split.h"

#include <pthread.h>
#include <sched.h>
#include <signal.h>

#include <atomic>

namespace siteresp {

namespace {

// Rows per claim: small enough that a helper descheduled in the middle of
// one holds the caller up briefly, large enough that claims cost nothing.
constexpr int chunk = 256;

struct Job {
  RowWork work = nullptr;
  void* context = nullptr;
  int first = 0, last = 0;
  std::atomic<int> next{0};  // index of the next unclaimed chunk
};

// POSIX primitives with static initialisers: no constructor, and no
// destructor at exit, when the helper may still wait on the condition
// variable (destroying it then would wait forever, and registering a
// destructor takes a slot of the exit handlers).
struct Helper {
  pthread_mutex_t m = PTHREAD_MUTEX_INITIALIZER;
  pthread_cond_t wake = PTHREAD_COND_INITIALIZER, idle = PTHREAD_COND_INITIALIZER;
  Job* job = nullptr;  // the sweep in progress, while the helper may join it
  bool busy = false;   // the helper is working on job
  bool running = false;
};

Helper helper;

class Lock {
public:
  Lock() { pthread_mutex_lock(&helper.m); }
  ~Lock() { pthread_mutex_unlock(&helper.m); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;
};

// Chunks of job until none is left.
void take_chunks(Job& job)
{
  for (;;) {
    const int k = job.next.fetch_add(1, std::memory_order_relaxed);
    const int from = job.first + k * chunk;
    if (from > job.last) return;
    const int to = from + chunk - 1 < job.last ? from + chunk - 1 : job.last;
    job.work(job.context, from, to);
  }
}

void* helper_main(void*)
{
  pthread_mutex_lock(&helper.m);
  for (;;) {
    while (helper.job == nullptr || helper.busy) pthread_cond_wait(&helper.wake, &helper.m);
    Job* job = helper.job;
    helper.busy = true;
    pthread_mutex_unlock(&helper.m);
    take_chunks(*job);
    pthread_mutex_lock(&helper.m);
    helper.busy = false;
    helper.job = nullptr;
    pthread_cond_signal(&helper.idle);
  }
}

int processors()
{
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof set, &set) != 0) return 1;
  return CPU_COUNT(&set);
}

}  // namespace

void start_sweep_helper()
{
  const Lock lock;
  if (helper.running || processors() < 2) return;
  sigset_t all, old;
  sigfillset(&all);
  pthread_sigmask(SIG_SETMASK, &all, &old);
  pthread_t thread;
  if (pthread_create(&thread, nullptr, helper_main, nullptr) == 0) {
    pthread_detach(thread);
    helper.running = true;
  }
  pthread_sigmask(SIG_SETMASK, &old, nullptr);
}

bool sweep_helper_running()
{
  const Lock lock;
  return helper.running;
}

void split_rows(int first, int last, RowWork work, void* context)
{
  Job job;
  job.work = work;
  job.context = context;
  job.first = first;
  job.last = last;
  // A grid of a few chunks is done before the helper would wake.
  const bool share = last - first >= 4 * chunk && sweep_helper_running();
  if (share) {
    const Lock lock;
    helper.job = &job;
    pthread_cond_signal(&helper.wake);
  }
  take_chunks(job);
  if (!share) return;
  // The helper may still be on its last chunk, or may not have woken at all:
  // then it must not start on this job once the caller has left.
  const Lock lock;
  if (!helper.busy) helper.job = nullptr;
  while (helper.job != nullptr) pthread_cond_wait(&helper.idle, &helper.m);
}

}  // namespace siteresp
