// A look's base values as the sub-chunks of one generation of object file carry them. LWO2:
// the colour, diffuse, specular, luminosity and glossiness as F4 (each followed by an
// envelope). LWOB: the colour as bytes rounded to nearest; diffuse, specular and luminosity
// as two-byte fractions, glossiness as the specular exponent, and the F4 forms VDIF, VSPC,
// VLUM, which only surfaces that have them get. A value a form cannot hold is refused, never
// clamped.
#ifndef PELORIX3_MODELS_VALUE_FIELDS_H
#define PELORIX3_MODELS_VALUE_FIELDS_H

#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "models/lwo_form.h"
#include "models/surface.h"

namespace models {

struct ValueField {
    std::string_view tag;
    std::string value;    // the bytes at the start of the sub-chunk's data
    std::string newTail;  // what follows them in a sub-chunk the writer adds: no envelope
    bool added = true;    // whether a surface without the sub-chunk gets one
};

base::Result<std::vector<ValueField>> valueFields(LwoGeneration generation,
                                                  const BaseValues& values);

}  // namespace models

#endif
