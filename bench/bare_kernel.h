// The sheen arithmetic written inline with nothing around it: the yardstick for the cost of
// the module's framework. It makes only the host calls the model cannot do without: the
// light walk, per light the five item parameter queries and the illumination call, all
// through the same host tables the module uses. No context copy, no allocation, no ray
// call list, no virtual call.
#ifndef PELORIX3_BENCH_BARE_KERNEL_H
#define PELORIX3_BENCH_BARE_KERNEL_H

#include "framework/host_interface.h"

namespace bench {

struct BareParameters {
    double density = 1.0;
    double transparency = 0.33;
    double specularColor[3] = {1.0, 1.0, 1.0};
    bool dontOverlapShadows = true;
    bool densityByLuminosity = false;
};

// Shades `record` in place as the module does; `ambient` is the scene's ambient colour.
void bareSheen(const BareParameters& p, const ItemInfo& items, const double ambient[3],
               ShadingRecord& record);

}  // namespace bench

#endif
