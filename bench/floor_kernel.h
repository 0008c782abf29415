// The floor: the bare kernel plus exactly the work the module's design requires around the
// shading math, and nothing else. Per sample, the record's input fields copied into a
// context once and its output fields written back field by field, and two blocks of nine
// doubles (the transforms) allocated and freed. Per light, a node pushed onto and popped off
// a list head of the shared layout around the illumination call, the guard taken with one
// compare-and-swap (after waiting, with a pause, while it reads nonzero) and released with
// one atomic decrement. The light walk, the five item parameter queries and the nudge per
// light are the bare kernel's. No virtual call, no out-of-line vector operation.
#ifndef PELORIX3_BENCH_FLOOR_KERNEL_H
#define PELORIX3_BENCH_FLOOR_KERNEL_H

#include "bench/bare_kernel.h"
#include "framework/host_interface.h"

namespace bench {

// Shades `record` in place as the module does; `ambient` is the scene's ambient colour.
// Every call, from any thread, uses the same list head.
void floorSheen(const BareParameters& p, const ItemInfo& items, const double ambient[3],
                ShadingRecord& record);

}  // namespace bench

#endif
