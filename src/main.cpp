#include "driver/run.h"

int main() { return siteresp::run(); }
