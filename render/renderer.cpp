#include "render/renderer.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <vector>

#include "host/host_globals.h"
#include "render/illumination.h"
#include "render/neutral_material.h"
#include "render/shading_sample.h"
#include "render/thread_team.h"

namespace render {
namespace {

// The shading record a renderer hands a shader for a hit on a surface it shades.
ShadingSample shaderSample(const HitMaterial& material, const RayHit& hit, const CameraRay& ray,
                           double spotSize) {
    const SurfaceInputs& inputs = material.inputs;
    ShadingSample sample;
    sample.worldPosition(hit.position)
        .objectPosition(material.objectPosition)
        .shadingNormal(hit.normal)
        .geometricNormal(hit.geometricNormal)
        .spotSize(spotSize)
        .ray(ray.origin, hit.distance, -dot(ray.direction, hit.normal))
        .objectTransform(material.toObject.data())
        .worldTransform(material.toWorld.data())
        .object(material.object)
        .polygon(hit.primitive)
        .color(inputs.color)
        .diffuse(inputs.diffuse)
        .specular(inputs.specular)
        .luminous(inputs.luminous)
        .roughness(inputs.roughness);
    return sample;
}

// A surface is seen from the side the ray comes from: seen from behind, both normals
// turn round.
RayHit facingTheRay(RayHit hit, const base::Triple& direction) {
    if (dot(direction, hit.geometricNormal) > 0.0) {
        hit.geometricNormal = hit.geometricNormal * -1.0;
        hit.normal = hit.normal * -1.0;
    }
    return hit;
}

// The colour one camera ray brings back.
// A sample's spot is its share of the pixel: a pixel holds samplesPerSide² of them.
base::Triple shadeRay(const standin::ShaderInstance& shader, const ShadedScene& scene,
                      const Camera& camera, int samplesPerSide, const CameraRay& ray, int x,
                      int y) {
    const std::optional<RayHit> found = scene.objects().nearestHit(
        ray.origin, ray.direction, std::numeric_limits<double>::infinity());
    if (!found) return scene.background(ray.direction);
    const RayHit hit = facingTheRay(*found, ray.direction);
    const HitMaterial material = scene.materialAt(hit);
    const ShadedObject shaded(material.object);
    const standin::Host& host = standin::Host::instance();
    switch (material.kind) {
        case HitMaterial::Kind::Neutral:
            return neutralShade(host, hit.position, hit.normal);
        case HitMaterial::Kind::Plain:
            return plainSurfaceShade(host, material.plain, hit.position, hit.normal,
                                     ray.direction * -1.0);
        case HitMaterial::Kind::Shader:
            break;
    }
    ShadingSample sample =
        shaderSample(material, hit, ray, camera.pixelSizeAt(hit.distance) / samplesPerSide);
    sample.screen(x, y);
    (material.shader ? *material.shader : shader).evaluate(sample.record());
    return base::toTriple(sample.record().color);
}

// The average of the samples of pixel (x, y): linear scene values.
base::Triple shadePixel(const standin::ShaderInstance& shader, const ShadedScene& scene,
                        const Camera& camera, const RenderSettings& settings, int x, int y) {
    const int n = settings.samplesPerSide;
    const double weight = 1.0 / (n * n);
    base::Triple sum{0.0, 0.0, 0.0};
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            const CameraRay ray = camera.ray(x + (i + 0.5) / n, y + (j + 0.5) / n);
            const base::Triple color = shadeRay(shader, scene, camera, n, ray, x, y);
            for (std::size_t c = 0; c < 3; ++c) sum[c] += color[c];
        }
    }
    return sum * weight;
}

unsigned char toByte(double value) {
    const double clamped = std::clamp(std::isnan(value) ? 0.0 : value, 0.0, 1.0);
    return static_cast<unsigned char>(std::lround(clamped * 255.0));
}

// A value that is not a number is 0, as in the 8-bit picture; the rest keep their size,
// within single precision's range.
float toLinear(double value) {
    constexpr double largest = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(std::isnan(value) ? 0.0 : value, -largest, largest));
}

// Renders row y into `rgb`, its 3 x width values, each colour component as `toValue`
// stores it: a byte (toByte) or a linear value (toLinear).
template <auto toValue, typename Value>
void renderRow(const standin::ShaderInstance& shader, const ShadedScene& scene,
               const Camera& camera, const RenderSettings& settings, int y, Value* rgb) {
    for (int x = 0; x < settings.width; ++x) {
        const base::Triple color = shadePixel(shader, scene, camera, settings, x, y);
        for (std::size_t c = 0; c < 3; ++c) rgb[3 * x + c] = toValue(color[c]);
    }
}

// Calls `renderOne` for every row, shared out among settings.threads threads, and
// `rowDone` after each. A failure when a thread cannot start, once the threads that did
// have finished their rows.
base::Status eachRowInThreads(const RenderSettings& settings,
                              const std::function<void(int y)>& renderOne,
                              const std::function<void()>& rowDone) {
    std::atomic<int> nextRow{0};
    std::atomic<bool> abandoned{false};
    auto work = [&] {
        for (int y = nextRow++; y < settings.height && !abandoned; y = nextRow++) {
            renderOne(y);
            if (rowDone) rowDone();
        }
    };
    ThreadTeam helpers;
    const base::Status started = helpers.start(std::max(settings.threads, 1) - 1, work);
    if (started) {
        work();
    } else {
        abandoned = true;  // the helpers that did start stop after their current row
    }
    helpers.join();  // their rows are finished here
    return started;
}

// The values of one row: three for each pixel.
std::size_t rowValues(const RenderSettings& settings) {
    return 3 * static_cast<std::size_t>(settings.width);
}

template <typename Picture>
auto* rowOf(Picture& picture, const RenderSettings& settings, int y) {
    return picture.rgb.data() + rowValues(settings) * static_cast<std::size_t>(y);
}

// The whole picture, its rows shared out among threads; its values as `toValue` stores them.
template <auto toValue, typename Picture>
base::Result<Picture> renderPicture(const standin::ShaderInstance& shader, const ShadedScene& scene,
                                    const RenderSettings& settings,
                                    const std::function<void()>& rowDone) {
    Picture picture{settings.width, settings.height, {}};
    picture.rgb.resize(rowValues(settings) * static_cast<std::size_t>(settings.height));
    const Camera camera = scene.camera(settings.width, settings.height);
    const base::Status done = eachRowInThreads(
        settings,
        [&](int y) {
            renderRow<toValue>(shader, scene, camera, settings, y, rowOf(picture, settings, y));
        },
        rowDone);
    if (!done) return base::Result<Picture>::failure(done.error());
    return base::Result<Picture>::success(std::move(picture));
}

}  // namespace

void renderRows(const standin::ShaderInstance& shader, const ShadedScene& scene,
                const RenderSettings& settings, int firstRow, int endRow, Image& image) {
    const Camera camera = scene.camera(settings.width, settings.height);
    for (int y = std::max(firstRow, 0); y < std::min(endRow, settings.height); ++y) {
        renderRow<toByte>(shader, scene, camera, settings, y, rowOf(image, settings, y));
    }
}

base::Result<Image> render(const standin::ShaderInstance& shader, const ShadedScene& scene,
                           const RenderSettings& settings, const std::function<void()>& rowDone) {
    return renderPicture<toByte, Image>(shader, scene, settings, rowDone);
}

base::Result<LinearImage> renderLinear(const standin::ShaderInstance& shader,
                                       const ShadedScene& scene, const RenderSettings& settings,
                                       const std::function<void()>& rowDone) {
    return renderPicture<toLinear, LinearImage>(shader, scene, settings, rowDone);
}

bool renderBand(const standin::ShaderInstance& shader, const ShadedScene& scene,
                const RenderSettings& settings, const RowBand& band, const RowDone& rowDone) {
    const Camera camera = scene.camera(settings.width, settings.height);
    std::vector<unsigned char> row(rowValues(settings));
    for (int y = band.first; y < settings.height; y += band.step) {
        renderRow<toByte>(shader, scene, camera, settings, y, row.data());
        if (!rowDone(y, row.data())) return false;
    }
    return true;
}

}  // namespace render
