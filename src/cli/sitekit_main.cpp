// sitekit: runs, batches and record formats around the layered-soil
// computation of siteresp.  Everything lives in the sitekit_cli library so
// that tests can drive the same entry point in-process.
#include <malloc.h>

#include "cli/entry.h"

int main(int argc, char** argv) {
  // A run allocates and frees buffers of a few hundred kilobytes many times
  // (a record's channels, transforms, histories).  By default each comes
  // from its own mapping and goes back on free, so every one starts on
  // fresh pages, and a first touch of a page costs more than the
  // arithmetic done on it.  Kept in the heap, freed buffers are reused.
  mallopt(M_MMAP_THRESHOLD, 256 << 20);
  mallopt(M_TRIM_THRESHOLD, 512 << 20);
  return sitekit::cli::main_entry(argc, argv);
}
