// Module-wide constant vectors. They are constant-initialised, so they hold their values
// before any static constructor of the module runs.
#ifndef PELORIX3_GEOMETRY_CONSTANTS_H
#define PELORIX3_GEOMETRY_CONSTANTS_H

#include "geometry/vec3.h"

namespace pelorix3 {

inline constexpr Vec3 vecUnitY{0.0, 1.0, 0.0};
inline constexpr Vec3 colorWhite{1.0, 1.0, 1.0};
inline constexpr Vec3 colorBlack{0.0, 0.0, 0.0};

}  // namespace pelorix3

#endif
