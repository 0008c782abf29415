// A grey picture as a PNG file whose image data is stored, not compressed: the page has no
// compression library, and a map of a few hundred texels a side stays small enough. Any
// PNG reader reads it; it carries no chunk of gamma or colour, as a map's values are the
// input's own.
#ifndef PELORIX3_WEB_STORED_PNG_H
#define PELORIX3_WEB_STORED_PNG_H

#include <string>
#include <vector>

namespace studio {

// width × height 8-bit grey values, row-major from the top row.
std::string storedGreyPng(int width, int height, const std::vector<unsigned char>& grey);

}  // namespace studio

#endif
