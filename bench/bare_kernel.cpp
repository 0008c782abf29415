#include "bench/bare_kernel.h"

#include "bench/sheen_kernel.h"

namespace bench {

void bareSheen(const BareParameters& p, const ItemInfo& items, const double ambient[3],
               ShadingRecord& record) {
    const Surface surface{load(record.wPos),  load(record.wNorm), load(record.raySource),
                          load(record.color), record.luminous,    record.diffuse,
                          record.specular,    record.roughness};
    const V R = sheenKernel(
        p, items, ambient, surface,
        [&record](HostItem light, const double point[3], double direction[3], double arriving[3]) {
            record.illuminate(light, point, direction, arriving);
        });
    record.color[0] = R.x;
    record.color[1] = R.y;
    record.color[2] = R.z;
    record.luminous = 1.0;
    record.diffuse = 0.0;
    record.specular = 0.0;
}

}  // namespace bench
