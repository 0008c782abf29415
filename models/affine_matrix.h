// A placement in space: a linear map given by the images of the three axes (its columns,
// scale included) and a translation. Points go through all of it, directions through the
// columns alone.
#ifndef PELORIX3_MODELS_AFFINE_MATRIX_H
#define PELORIX3_MODELS_AFFINE_MATRIX_H

#include <optional>

#include "base/triple.h"

namespace models {

struct AffineMatrix {
    base::Triple right{1.0, 0.0, 0.0};    // where +x goes
    base::Triple up{0.0, 1.0, 0.0};       // where +y goes
    base::Triple forward{0.0, 0.0, 1.0};  // where +z goes
    base::Triple translation{};           // where the origin goes

    base::Triple direction(const base::Triple& d) const {
        return right * d[0] + up * d[1] + forward * d[2];
    }
    base::Triple point(const base::Triple& p) const { return translation + direction(p); }
};

// `outer` after `inner`: a point through `inner`, then through `outer`.
AffineMatrix operator*(const AffineMatrix& outer, const AffineMatrix& inner);

AffineMatrix translation(const base::Triple& offset);
AffineMatrix scaling(const base::Triple& factors);
// Turns about +y, +x and +z, in degrees, each as the renderer turns in its left-handed
// space: a heading of 90 turns +z onto +x, a pitch of 90 turns +z onto -y, a bank of 90
// turns +x onto +y.
AffineMatrix heading(double degrees);
AffineMatrix pitch(double degrees);
AffineMatrix bank(double degrees);

// The point of the matrix's own space that it takes to `p`; nothing when the matrix
// flattens space (a scale of 0).
std::optional<base::Triple> pointBefore(const AffineMatrix& m, const base::Triple& p);

}  // namespace models

#endif
