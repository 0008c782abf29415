// Finds a picture inside a larger one, pixel for pixel: a view in a strip, a look's render
// in a comparison.
#ifndef PELORIX3_TESTS_PREVIEW_PICTURE_SEARCH_H
#define PELORIX3_TESTS_PREVIEW_PICTURE_SEARCH_H

#include <optional>
#include <utility>

#include "render/panel_painter.h"

// The top-left corner (x, y) of the first place where `part` appears whole in `whole`.
std::optional<std::pair<int, int>> findPicture(const render::Image& whole,
                                               const render::Image& part);

#endif
