// What every model a reader accepts must be, whatever its file held: a mesh the renderer
// can trace (at least one triangle, every index inside the vertices, finite positions, one
// finite unit normal and, where the model gives them, finite texture coordinates for each
// corner) that places in the preview scene with finite positions and camera, each placed
// vertex mapping back to where the model's frame puts it. Any failure aborts.
#ifndef PELORIX3_FUZZ_IMPORTED_MESH_CHECKS_H
#define PELORIX3_FUZZ_IMPORTED_MESH_CHECKS_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_values.h"
#include "models/obj_import.h"
#include "render/mesh_placement.h"

namespace fuzz_checks {

using fuzz::require;

inline bool isFinite(const base::Triple& t) {
    return std::isfinite(t[0]) && std::isfinite(t[1]) && std::isfinite(t[2]);
}

inline void checkMesh(const models::TriangleMesh& mesh) {
    require(mesh.triangleCount() > 0, "a triangle");
    require(mesh.cornerNormals.size() == mesh.triangleCount(), "normals for each triangle");
    require(mesh.cornerTexcoords.empty() || mesh.cornerTexcoords.size() == mesh.triangleCount(),
            "texture coordinates for each triangle or none");
    for (const auto& p : mesh.positions) {
        for (const float c : p) require(std::isfinite(c), "finite positions");
    }
    for (std::size_t t = 0; t < mesh.triangleCount(); ++t) {
        for (const std::uint32_t v : mesh.triangles[t])
            require(v < mesh.positions.size(), "indices inside the vertices");
        for (const auto& n : mesh.cornerNormals[t]) {
            const double length =
                std::sqrt(double(n[0]) * n[0] + double(n[1]) * n[1] + double(n[2]) * n[2]);
            require(std::abs(length - 1.0) < 1e-3, "unit normals");
        }
    }
    for (const auto& corners : mesh.cornerTexcoords) {
        for (const auto& uv : corners)
            require(std::isfinite(uv[0]) && std::isfinite(uv[1]), "finite texture coordinates");
    }
}

// The placed mesh is finite, fills the preview's size and comes back to the model's units.
inline void checkPlacement(const models::ImportedModel& model) {
    const auto placed = render::placeOnFloor(model.mesh, model.frame);
    require(placed.ok(), "the model places");
    require(isFinite(placed->view.position) && isFinite(placed->view.target), "a finite camera");
    require(placed->view.position != placed->view.target, "a camera apart from its target");
    const models::Bounds box = placed->mesh.bounds();
    for (std::size_t axis = 0; axis < 3; ++axis) {
        require(std::isfinite(box.low[axis]) && std::isfinite(box.high[axis]),
                "finite placed bounds");
        require(box.high[axis] - box.low[axis] <= render::kMeshSize * 1.001, "the preview's size");
    }
    const render::Placement& placement = placed->placement;
    for (std::size_t v = 0; v < placed->mesh.positions.size(); ++v) {
        const auto& p = placed->mesh.positions[v];
        const base::Triple object = placement.toObject({p[0], p[1], p[2]});
        for (std::size_t axis = 0; axis < 3; ++axis) {
            const double expected =
                model.mesh.positions[v][axis] * model.frame.unit + model.frame.origin[axis];
            require(std::abs(object[axis] - expected) <=
                        1e-5 * model.frame.unit * 2.0 + 1e-15 * std::abs(expected),
                    "placed vertices map back to the model's units");
        }
    }
}

// A refusal is one short line that names the file first and holds no control bytes.
inline void checkMessage(const std::string& error, const std::string& name) {
    require(error.rfind(name + " ", 0) == 0 || error.rfind(name + ", ", 0) == 0,
            "the message names the file first");
    require(error.size() < 600, "a short message");
    require(std::none_of(error.begin(), error.end(),
                         [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }),
            "no control bytes in the message");
}

// Either a model as checkMesh and checkPlacement want it, or a refusal as checkMessage does.
inline void checkImport(const base::Result<models::ImportedModel>& model, const std::string& name) {
    if (model) {
        checkMesh(model->mesh);
        checkPlacement(model.value());
    } else {
        checkMessage(model.error(), name);
    }
}

}  // namespace fuzz_checks

#endif
