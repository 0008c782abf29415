// The stand-in renderer's vocabulary, as the preview command speaks it.
#ifndef PELORIX3_TOOLS_PREVIEW_RENDER_NAMES_H
#define PELORIX3_TOOLS_PREVIEW_RENDER_NAMES_H

#include "base/triple.h"
#include "render/panel_painter.h"
#include "render/preview_scene.h"
#include "render/renderer.h"
#include "render/scene_settings.h"

namespace preview {

using base::Triple;
using render::Image;
using render::PreviewScene;
using render::RenderSettings;
using render::SceneSettings;
using render::SubjectKind;
using render::SurfaceInputs;
using render::SurfaceShading;

}  // namespace preview

#endif
