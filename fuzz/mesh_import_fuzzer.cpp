// Reads arbitrary bytes as an OBJ model, with a crease angle taken from the first byte,
// and places the model in the preview scene as the preview does. Whatever the text, the
// import either refuses it with a short message naming the file, or gives a mesh the renderer
// can trace: at least one triangle, every index inside the vertices, finite positions and
// one finite unit normal for each corner; placed, its positions and the camera's view are
// finite, and each placed vertex maps back to where the model's frame puts it.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "render/mesh_placement.h"
#include "render/obj_import.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

bool isFinite(const standin::Triple& t) {
    return std::isfinite(t[0]) && std::isfinite(t[1]) && std::isfinite(t[2]);
}

void checkMesh(const standin::TriangleMesh& mesh) {
    require(mesh.triangleCount() > 0);
    require(mesh.cornerNormals.size() == mesh.triangleCount());
    require(mesh.cornerTexcoords.empty() || mesh.cornerTexcoords.size() == mesh.triangleCount());
    for (const auto& p : mesh.positions) {
        for (const float c : p) require(std::isfinite(c));
    }
    for (const auto& corners : mesh.cornerTexcoords) {
        for (const auto& uv : corners) require(std::isfinite(uv[0]) && std::isfinite(uv[1]));
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

// The placed mesh is finite, fills the preview's size and comes back to the model's units.
void checkPlacement(const standin::ObjImport& model) {
    const auto placed = standin::placeOnFloor(model.mesh, model.frame);
    require(placed.ok());
    require(isFinite(placed->view.position) && isFinite(placed->view.target));
    require(placed->view.position != placed->view.target);
    const standin::Bounds box = placed->mesh.bounds();
    for (std::size_t axis = 0; axis < 3; ++axis) {
        require(std::isfinite(box.low[axis]) && std::isfinite(box.high[axis]));
        require(box.high[axis] - box.low[axis] <= standin::kMeshSize * 1.001);
    }
    const standin::Placement& placement = placed->placement;
    for (std::size_t v = 0; v < placed->mesh.positions.size(); ++v) {
        const auto& p = placed->mesh.positions[v];
        const standin::Triple object = placement.toObject({p[0], p[1], p[2]});
        for (std::size_t axis = 0; axis < 3; ++axis) {
            const double expected =
                model.mesh.positions[v][axis] * model.frame.unit + model.frame.origin[axis];
            require(std::abs(object[axis] - expected) <=
                    1e-5 * model.frame.unit * 2.0 + 1e-15 * std::abs(expected));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const double crease = data[0] * (180.0 / 255.0);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto model = standin::importObjText(text, "fuzz.obj", crease);
    if (model) {
        checkMesh(model->mesh);
        checkPlacement(model.value());
    } else {
        const std::string& error = model.error();
        require(error.rfind("fuzz.obj ", 0) == 0 || error.rfind("fuzz.obj, line ", 0) == 0);
        require(error.size() < 600);
        require(std::none_of(error.begin(), error.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
        }));
    }
    return 0;
}
