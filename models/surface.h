// The surfaces of an object file as the renderer sets them up: each surface's name, its base
// values (before textures and shaders), its smoothing angle and the shader plug-ins it runs,
// and which surface each polygon has.
#ifndef PELORIX3_MODELS_SURFACE_H
#define PELORIX3_MODELS_SURFACE_H

#include <cstdint>
#include <string>
#include <vector>

#include "base/triple.h"

namespace models {

// The values a look can write into a surface. A value the surface's SURF chunk does not set
// keeps the default given here. The format gives no default colour: a neutral light grey is
// used, the 200 of 255 of a new surface in the older form's byte colours.
struct BaseValues {
    base::Triple colour{200.0 / 255.0, 200.0 / 255.0, 200.0 / 255.0};
    double diffuse = 1.0;
    double specular = 0.0;
    double luminosity = 0.0;
    // What the shader sees as roughness. The files give a glossiness, which the tool turns
    // into roughness = 1 / specular exponent (see surface_units.h); the default glossiness
    // gives the exponent 64.
    double roughness = 1.0 / 64.0;
};

// One shader plug-in applied to a surface: the name its plug-in registers and the bytes its
// save function wrote.
struct ShaderEntry {
    std::string server;
    std::string data;
    bool enabled = true;  // LWO2 blocks may be switched off; LWOB shaders are always on
};

struct Surface {
    std::string name;
    BaseValues base;
    double smoothingAngle = 0.0;  // radians, up to pi; 0 is flat (no smoothing)
    // In the order the renderer runs them. Of a source surface's entries (LWO2), those of a
    // server the surface itself also names are replaced by the surface's own.
    std::vector<ShaderEntry> shaders;
    // LWO2: the greatest block ordinal of every kind of block the surface runs, its source
    // surfaces' included; empty when it has none. A block added after it runs last.
    std::string lastOrdinal;
    // LWO2: the source surfaces it starts from, nearest first, the last one named included
    // when it has no SURF chunk (a chunk written for it would give it values).
    std::vector<std::string> sources;
    bool hasChunk = false;  // whether a SURF chunk sets it, or it has every default
};

struct LwoSurfaces {
    std::vector<Surface> surfaces;
    // The index in `surfaces` of each polygon the reader kept, in the reader's order; empty
    // when the polygons were not read.
    std::vector<std::uint32_t> polygonSurfaces;
};

// The surface of LWO2 polygons that no PTAG SURF chunk gives one.
inline constexpr const char* kDefaultSurfaceName = "Default";

}  // namespace models

#endif
