// Only the subject wears the shader: the floor has the host's neutral material, so a
// change of a shader parameter changes the subject's pixels and no others.
#include <gtest/gtest.h>

#include "host/module_path.h"
#include "tools/preview/preview_session.h"

namespace {

using preview::PreviewSession;

// Whether the ray through the middle of each pixel meets the subject.
std::vector<bool> subjectMask(const render::PreviewScene& scene, int width, int height) {
    std::vector<bool> mask;
    const render::Camera camera = scene.camera(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const render::CameraRay ray = camera.ray(x + 0.5, y + 0.5);
            const auto hit = scene.objects().nearestHit(ray.origin, ray.direction, 1e9);
            mask.push_back(hit && scene.isSubject(*hit));
        }
    }
    return mask;
}

class SubjectOnly : public ::testing::TestWithParam<render::SubjectKind> {};

TEST_P(SubjectOnly, ShaderParametersChangeOnlyTheSubjectsPixels) {
    render::SceneSettings settings;
    settings.subject = GetParam();
    auto opened = PreviewSession::open(standin::defaultModulePath(), settings);
    ASSERT_TRUE(opened) << opened.error();
    PreviewSession& session = *opened.value();
    ASSERT_TRUE(session.startFrame());
    render::RenderSettings render;
    render.width = 96;
    render.height = 72;
    render.samplesPerSide = 1;
    const auto rendered = session.render(render);
    ASSERT_TRUE(rendered) << rendered.error();
    const render::Image& before = rendered.value();
    looks::ParameterBlock changed = session.parameters();
    changed.density = 0.2;
    changed.specularColor = {1.0, 0.8, 0.1};
    const auto after = session.renderVariant(changed, session.scene().surface(), render);
    ASSERT_TRUE(after) << after.error();

    const std::vector<bool> subject = subjectMask(session.scene(), render.width, render.height);
    int subjectChanged = 0;
    for (std::size_t pixel = 0; pixel < subject.size(); ++pixel) {
        bool differs = false;
        for (std::size_t c = 0; c < 3; ++c) {
            differs = differs || before.rgb[3 * pixel + c] != after->rgb[3 * pixel + c];
        }
        if (!subject[pixel]) {
            EXPECT_FALSE(differs) << "pixel " << pixel % render.width << "," << pixel / render.width
                                  << " is not the subject's";
        }
        subjectChanged += differs ? 1 : 0;
    }
    EXPECT_GT(subjectChanged, 500);
}

INSTANTIATE_TEST_SUITE_P(Preview, SubjectOnly,
                         ::testing::Values(render::SubjectKind::Cloth, render::SubjectKind::Sphere),
                         [](const auto& info) {
                             return info.param == render::SubjectKind::Cloth ? "Cloth" : "Sphere";
                         });

}  // namespace
