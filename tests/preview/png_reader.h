// Reads back the 8-bit RGB PNG files the preview writes.
#ifndef PELORIX3_TESTS_PREVIEW_PNG_READER_H
#define PELORIX3_TESTS_PREVIEW_PNG_READER_H

#include <optional>
#include <string>

#include "render/panel_painter.h"

// Nothing when the file is missing or not an 8-bit RGB PNG.
std::optional<render::Image> readPng(const std::string& path);

// What a PNG says its values are: an sRGB chunk, or a gAMA chunk's value (in units of
// 1/100000; 0 for none).
struct PngColourChunks {
    bool sRGB = false;
    long gamma = 0;
};
std::optional<PngColourChunks> readColourChunks(const std::string& path);

#endif
