#pragma once

// An entry point of a sibling library: plain C linkage, the only symbols that
// leave the library (everything else is hidden and held back by its version script).
#define SIBLING_ENTRY extern "C" __attribute__((visibility("default")))
