#pragma once
// The one processing run of the program, from the first prompt to the end.

namespace siteresp {

// Returns the exit status of a run that ends by itself (0 normal, 1 refused);
// failures end the run through the diagnostic funnel instead.
int run();

}  // namespace siteresp
