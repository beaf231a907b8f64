#pragma once
// The frequency rows of a sweep shared between the calling thread and one
// helper thread.  Every row is computed by exactly one of them, from its own
// frequency alone, so the results are the same bits whichever thread takes
// it and however many threads there are.

namespace siteresp {

// Starts the helper thread once, where the process may run on two or more
// processors; later calls do nothing.  The program starts it before any
// processing, since starting a thread allocates.  Without it every row runs
// in the calling thread.
void start_sweep_helper();
bool sweep_helper_running();

// Calls work(context, from, to) for consecutive row ranges that cover rows
// first..last once, in chunks claimed one at a time by whichever thread is free,
// so a helper that gets no processor time delays nothing; returns when all
// are done.
using RowWork = void (*)(void* context, int from, int to);
void split_rows(int first, int last, RowWork work, void* context);

}  // namespace siteresp
