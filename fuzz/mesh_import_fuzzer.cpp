// Reads arbitrary bytes as an OBJ model, with a crease angle taken from the first byte.
// Whatever the text, the import either refuses it with a message naming the file, or
// gives a mesh the renderer can trace: at least one triangle, every index inside the
// vertices, finite positions and one finite unit normal for each corner.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "render/obj_import.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

void checkMesh(const standin::TriangleMesh& mesh) {
    require(mesh.triangleCount() > 0);
    require(mesh.cornerNormals.size() == mesh.triangleCount());
    for (const auto& p : mesh.positions) {
        for (const float c : p) require(std::isfinite(c));
    }
    for (std::size_t t = 0; t < mesh.triangleCount(); ++t) {
        for (const std::uint32_t v : mesh.triangles[t]) require(v < mesh.positions.size());
        for (const auto& n : mesh.cornerNormals[t]) {
            const double length =
                std::sqrt(double(n[0]) * n[0] + double(n[1]) * n[1] + double(n[2]) * n[2]);
            require(std::abs(length - 1.0) < 1e-3);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const double crease = data[0] * (180.0 / 255.0);
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto model = standin::importObjText(text, "fuzz.obj", crease);
    if (model) {
        checkMesh(model->mesh);
    } else {
        require(model.error().rfind("fuzz.obj ", 0) == 0);
    }
    return 0;
}
