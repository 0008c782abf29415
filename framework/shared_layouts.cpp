// The records that cross the module's boundary keep one layout: the 32-bit host's offsets
// (the renderer's 32-bit releases and their peer modules), and on 64-bit builds (its 64-bit
// releases, the native build) the same fields in the same order with pointer-sized
// pointers. Item identifiers are pointer-sized handles on every target: 32 bits on the
// 32-bit host, 64 on a 64-bit one. On 64-bit Windows `long` stays 32 bits (LLP64), as the
// activation's version does in the host's own declarations. A field that changes width or
// place fails the build here, on every target.
#include <cstddef>

#include "framework/host_interface.h"
#include "framework/ray_call_list.h"
#include "framework/sample_context.h"

namespace pelorix3 {
namespace {

constexpr bool pointers32 = sizeof(void*) == 4;
static_assert(pointers32 || sizeof(void*) == 8);

// The offset of a field on this target: the 32-bit host's, or its 64-bit counterpart.
constexpr std::size_t at(std::size_t offset32, std::size_t offset64) {
    return pointers32 ? offset32 : offset64;
}

static_assert(sizeof(HostItem) == sizeof(void*));

static_assert(sizeof(ModuleDescriptor) == at(24, 40));
static_assert(offsetof(ModuleDescriptor, syncWord) == 0);
static_assert(offsetof(ModuleDescriptor, version) == 4);
static_assert(offsetof(ModuleDescriptor, machine) == 8);
static_assert(offsetof(ModuleDescriptor, startup) == at(12, 16));
static_assert(offsetof(ModuleDescriptor, shutdown) == at(16, 24));
static_assert(offsetof(ModuleDescriptor, servers) == at(20, 32));

static_assert(sizeof(ServerRecord) == at(12, 24));
static_assert(offsetof(ServerRecord, name) == at(4, 8));
static_assert(offsetof(ServerRecord, activate) == at(8, 16));

static_assert(sizeof(ShadingRecord) == at(400, 424));
static_assert(offsetof(ShadingRecord, sx) == 0 && offsetof(ShadingRecord, sy) == 4);
static_assert(offsetof(ShadingRecord, oPos) == 8);
static_assert(offsetof(ShadingRecord, wPos) == 32);
static_assert(offsetof(ShadingRecord, gNorm) == 56);
static_assert(offsetof(ShadingRecord, spotSize) == 80);
static_assert(offsetof(ShadingRecord, raySource) == 88);
static_assert(offsetof(ShadingRecord, rayLength) == 112);
static_assert(offsetof(ShadingRecord, cosine) == 120);
static_assert(offsetof(ShadingRecord, oXfrm) == 128);
static_assert(offsetof(ShadingRecord, wXfrm) == 200);
static_assert(offsetof(ShadingRecord, objID) == 272);
static_assert(offsetof(ShadingRecord, polNum) == at(276, 280));
static_assert(offsetof(ShadingRecord, wNorm) == at(280, 288));
static_assert(offsetof(ShadingRecord, color) == at(304, 312));
static_assert(offsetof(ShadingRecord, luminous) == at(328, 336));
static_assert(offsetof(ShadingRecord, diffuse) == at(336, 344));
static_assert(offsetof(ShadingRecord, specular) == at(344, 352));
static_assert(offsetof(ShadingRecord, mirror) == at(352, 360));
static_assert(offsetof(ShadingRecord, transparency) == at(360, 368));
static_assert(offsetof(ShadingRecord, eta) == at(368, 376));
static_assert(offsetof(ShadingRecord, roughness) == at(376, 384));
static_assert(offsetof(ShadingRecord, illuminate) == at(384, 392));
static_assert(offsetof(ShadingRecord, rayTrace) == at(388, 400));
static_assert(offsetof(ShadingRecord, rayCast) == at(392, 408));
static_assert(offsetof(ShadingRecord, rayShade) == at(396, 416));

static_assert(sizeof(LoadState) == at(12, 24) && sizeof(SaveState) == at(12, 24));
static_assert(offsetof(LoadState, readData) == at(4, 8) && offsetof(LoadState, read) == at(8, 16));
static_assert(offsetof(SaveState, writeData) == at(4, 8));
static_assert(offsetof(SaveState, write) == at(8, 16));

static_assert(sizeof(RayCallList) == at(16, 24));
static_assert(offsetof(RayCallList, busy) == 0 && offsetof(RayCallList, count) == 4);
static_assert(offsetof(RayCallList, first) == 8);
static_assert(offsetof(RayCallList, last) == at(12, 16));

static_assert(sizeof(RayCallNode) == at(72, 88));
static_assert(offsetof(RayCallNode, next) == 0);
static_assert(offsetof(RayCallNode, caller) == at(4, 8));
static_assert(offsetof(RayCallNode, kind) == at(8, 16));
static_assert(offsetof(RayCallNode, reserved) == at(12, 20));
static_assert(offsetof(RayCallNode, position) == at(16, 24));
static_assert(offsetof(RayCallNode, direction) == at(40, 48));
static_assert(offsetof(RayCallNode, item) == at(64, 72));
static_assert(offsetof(RayCallNode, tag) == at(68, 80));

// Peer modules reach a caller's second word through the node's caller pointer.
static_assert(offsetof(SampleContext, reserved) == 0);
static_assert(offsetof(SampleContext, respondingServer) == sizeof(void*));

}  // namespace
}  // namespace pelorix3
