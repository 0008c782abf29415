// The preview scene: a subject (the draped cloth, a sphere or the user's model) standing
// on a floor, seen by a camera that frames it, lit by a key point light and a distant rim
// light over a little ambient. Everything is in one ray-traced scene, which also casts
// the shadows of the host's illumination.
#ifndef PELORIX3_RENDER_PREVIEW_SCENE_H
#define PELORIX3_RENDER_PREVIEW_SCENE_H

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "host/scene.h"
#include "models/model_frame.h"
#include "models/surface.h"
#include "models/triangle_mesh.h"
#include "render/camera.h"
#include "render/hit_inputs.h"
#include "render/mesh_placement.h"
#include "render/ray_scene.h"
#include "render/scene_settings.h"
#include "render/shaded_scene.h"
#include "render/surface_shading.h"

namespace standin {
class Host;
}  // namespace standin

namespace render {

// Seconds spent making the scene: the subject (made, or read from its file) and the
// ray-tracing scene built over it.
struct BuildTimes {
    double subject = 0.0;
    double rayScene = 0.0;
};

// Triangles of the default cloth, about 100,000.
inline constexpr int kClothVerticesPerSide = 224;

class PreviewScene : public ShadedScene {
public:
    // Builds the subject (from the model's text for SubjectKind::Mesh) and the ray-traced
    // scene; fails with a message naming the file, or Embree's reason, and when the
    // surface has a map but the subject no texture coordinates.
    static base::Result<std::unique_ptr<PreviewScene>> create(const SceneSettings& settings);

    // Places a mesh already made, whose positions lie in `frame`: scaled to the preview's
    // size, standing on the floor in the middle. Fails when a position is not a finite
    // number, when the surface has a map but the mesh no texture coordinates, or when
    // Embree fails.
    static base::Result<std::unique_ptr<PreviewScene>> withMesh(
        const SceneSettings& settings, models::TriangleMesh mesh,
        const models::ModelFrame& frame = {});

    const RayScene& objects() const override { return *objects_; }
    bool isSubject(const RayHit& hit) const { return hit.object == subject_; }
    const Placement& placement() const { return placement_; }
    std::size_t subjectTriangles() const { return subjectTriangles_; }
    const BuildTimes& buildTimes() const { return buildTimes_; }
    // What reading the model file left out or replaced, each naming the file.
    const std::vector<std::string>& warnings() const { return warnings_; }
    // Whether the settings' crease angle shaped the subject: only a model from a file
    // whose normals are computed for some triangle uses it.
    bool usesCreaseAngle() const { return usesCreaseAngle_; }

    // The scene's camera onto an image of this size: the framing's view, turned by the
    // orbit.
    Camera camera(int width, int height) const override;

    // Turns the camera for the renders that follow; the floor and the lights stay.
    void setOrbit(const CameraOrbit& orbit) { settings_.orbit = orbit; }
    // The orbit as it turns the camera: its elevation and zoom held within their limits.
    CameraOrbit orbit() const;

    // Whether the subject has texture coordinates to place maps with: the sphere and the
    // cloth do, a mesh when its file gives them.
    bool canWearMaps() const {
        return settings_.subject == SubjectKind::Sphere || !subjectTexcoords_.empty();
    }

    // Changes the subject's surface inputs for the renders that follow. Their maps are
    // passed over on a subject without texture coordinates.
    void setSurface(const SurfaceInputs& surface) { settings_.surface = surface; }
    const SurfaceInputs& surface() const { return settings_.surface; }

    // The subject's texture coordinates at a hit on it: a mesh's own, interpolated across
    // the triangle hit, or the sphere's longitude and latitude (u from 0 behind it, 0.5
    // facing the camera; v from 0 at the bottom to 1 at the top). Nothing for a mesh
    // without them.
    std::optional<Texcoord> texcoordAt(const RayHit& hit) const;
    // The surface inputs at a hit on the subject: each map sampled at the hit's texture
    // coordinates in place of its constant. The result has no maps.
    SurfaceInputs surfaceAt(const RayHit& hit) const { return inputsAt(settings_.surface, hit); }
    // The same for other surface inputs.
    SurfaceInputs inputsAt(const SurfaceInputs& surface, const RayHit& hit) const;

    // The surfaces of the model's file (an object file's), which its triangles are of;
    // empty for a subject of one surface.
    const std::vector<models::Surface>& modelSurfaces() const { return modelSurfaces_; }
    // How each of those surfaces is shaded, one entry for each, for the renders that
    // follow; an empty table shades the whole subject as one surface.
    void setSurfaceShading(std::vector<SurfaceShading> shading) {
        surfaceShading_ = std::move(shading);
    }
    const std::vector<SurfaceShading>& surfaceShading() const { return surfaceShading_; }
    // The entry of the surface hit on the subject; null when the table is empty.
    const SurfaceShading* shadingAt(const RayHit& hit) const;

    // Seen where a camera ray hits nothing: a dim gradient from the horizon up.
    base::Triple background(const base::Triple& direction) const override;

    // The floor is the neutral grey; the subject is its surface's entry in the shading
    // table, or the render's instance with the scene's surface inputs, and its samples are
    // of the object sampleObject() names, placed by placement().
    HitMaterial materialAt(const RayHit& hit) const override;

    // Makes the host's scene this one: its lights, its ambient colour and, when shadows
    // are on, its objects as the occluders of the host's illumination. The scene must
    // outlive the host's use of it.
    void install(standin::Host& host) const;

private:
    PreviewScene(const SceneSettings& settings, std::unique_ptr<RayScene> objects);
    static base::Result<std::unique_ptr<PreviewScene>> finish(std::unique_ptr<PreviewScene> scene);

    SceneSettings settings_;
    std::unique_ptr<RayScene> objects_;
    int subject_ = 0;
    std::vector<std::array<models::Point2f, 3>> subjectTexcoords_;  // a mesh's; empty for others
    std::vector<std::uint32_t> subjectSurfaces_;  // a mesh's, of each triangle; or empty
    std::vector<models::Surface> modelSurfaces_;
    std::vector<SurfaceShading> surfaceShading_;
    std::size_t subjectTriangles_ = 0;
    std::vector<std::string> warnings_;
    bool usesCreaseAngle_ = false;
    BuildTimes buildTimes_;
    Placement placement_;
    CameraView view_;
};

}  // namespace render

#endif
