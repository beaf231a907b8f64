// sitekit: runs, batches and record formats around the layered-soil
// computation of siteresp.  Everything lives in the sitekit_cli library so
// that tests can drive the same entry point in-process.
#include "cli/entry.h"

int main(int argc, char** argv) { return sitekit::cli::main_entry(argc, argv); }
