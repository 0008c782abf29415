// A complete shading record as the renderer hands one to a shader: every input field
// has a sensible value and the four ray functions point at host functions.
#ifndef PELORIX3_RENDER_SHADING_SAMPLE_H
#define PELORIX3_RENDER_SHADING_SAMPLE_H

#include "base/triple.h"
#include "framework/host_interface.h"

namespace render {

// The item id the samples give as the shaded object: stable and non-null, but no item
// of the scene's walk.
HostItem sampleObject();

// Defaults: a point at the origin seen head-on from (0, 0, -1) along +z, normal
// (0, 0, -1) towards the viewer, cosine 1, identity transforms, spot size 0.001, white
// colour, diffuse 1, eta 1, every other surface scalar 0. illuminate is the host's
// illumination; rayTrace and rayShade return -1 (nothing hit, black), rayCast -1.
class ShadingSample {
public:
    ShadingSample();

    ShadingRecord& record() { return record_; }
    const ShadingRecord& record() const { return record_; }

    // Object and world position together, the transforms being identity.
    ShadingSample& position(const base::Triple& p);
    ShadingSample& objectPosition(const base::Triple& p);
    ShadingSample& worldPosition(const base::Triple& p);
    // Geometric and shading normal together.
    ShadingSample& normal(const base::Triple& n);
    ShadingSample& geometricNormal(const base::Triple& n);
    ShadingSample& shadingNormal(const base::Triple& n);
    ShadingSample& screen(int x, int y);
    ShadingSample& spotSize(double size);
    ShadingSample& ray(const base::Triple& source, double length, double cosine);
    ShadingSample& objectTransform(const double m[9]);
    ShadingSample& worldTransform(const double m[9]);
    ShadingSample& object(HostItem id);
    ShadingSample& polygon(int number);
    ShadingSample& color(const base::Triple& c);
    ShadingSample& luminous(double v);
    ShadingSample& diffuse(double v);
    ShadingSample& specular(double v);
    ShadingSample& mirror(double v);
    ShadingSample& transparency(double v);
    ShadingSample& eta(double v);
    ShadingSample& roughness(double v);

private:
    ShadingRecord record_;
};

// The host's harmless ray functions: nothing is ever hit.
double hostRayTrace(const double position[3], const double direction[3], double color[3]) noexcept;
double hostRayCast(const double position[3], const double direction[3]) noexcept;
double hostRayShade(const double position[3], const double direction[3],
                    ShadingRecord* record) noexcept;

}  // namespace render

#endif
