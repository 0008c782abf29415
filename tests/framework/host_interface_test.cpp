// The renderer's codes are fixed numbers: the module and the stand-in host both take them
// from the host interface header, so a wrong number there would pass every exchange between
// the two and still fail in the real renderer. They are checked here against the numbers
// the renderer publishes.
#include "framework/host_interface.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Code {
    const char* name;
    long long value;
    long long published;
};

class HostCodes : public ::testing::TestWithParam<Code> {};

TEST_P(HostCodes, AreTheRenderersPublishedNumbers) {
    EXPECT_EQ(GetParam().value, GetParam().published) << GetParam().name;
}

#define CODE(name, published) \
    Code { #name, static_cast < long long>(name), published }

INSTANTIATE_TEST_SUITE_P(
    HostInterface, HostCodes,
    ::testing::Values(
        CODE(MODULE_SYNC_WORD, 0x04121994), CODE(MODULE_DESCRIPTOR_VERSION, 2),
        CODE(MODULE_MACHINE_WORD, 0x300), CODE(HOST_OBJECT, 0), CODE(HOST_LIGHT, 1),
        CODE(HOST_CAMERA, 2), CODE(HOST_BONE, 3), CODE(HOST_PARAM_POSITION, 1),
        CODE(HOST_PARAM_RIGHT, 2), CODE(HOST_PARAM_UP, 3), CODE(HOST_PARAM_FORWARD, 4),
        CODE(HOST_PARAM_ROTATION, 5), CODE(HOST_PARAM_SCALING, 6), CODE(HOST_PARAM_PIVOT, 7),
        CODE(HOST_PARAM_W_POSITION, 8), CODE(HOST_PARAM_W_RIGHT, 9), CODE(HOST_PARAM_W_UP, 10),
        CODE(HOST_PARAM_W_FORWARD, 11), CODE(AFUNC_OK, 0), CODE(AFUNC_BADVERSION, 1),
        CODE(AFUNC_BADGLOBAL, 2), CODE(AFUNC_BADLOCAL, 3), CODE(HOST_IO_BINARY, 0),
        CODE(HOST_IO_ASCII, 1), CODE(CV_INTEGER, 2), CODE(CV_FLOAT, 3), CODE(CD_BOOLEAN, 8),
        CODE(CD_RANGE, 15), CODE(CD_AREA, 19), CODE(PAN_X, 0), CODE(PAN_Y, 1), CODE(PAN_W, 2),
        CODE(PAN_H, 3), CODE(PAN_MOUSEX, 4), CODE(PAN_MOUSEY, 5), CODE(PAN_FLAGS, 6),
        CODE(PAN_USERDRAW, 7), CODE(CTL_X, 0), CODE(CTL_Y, 1), CODE(CTL_W, 2), CODE(CTL_H, 3),
        CODE(CTL_VALUE, 4), CODE(CTL_HOTX, 5), CODE(CTL_HOTY, 6), CODE(CTL_HOTW, 7),
        CODE(CTL_HOTH, 8), CODE(CTL_LABELWIDTH, 9), CODE(CTL_MOUSEX, 10), CODE(CTL_MOUSEY, 11),
        CODE(CTL_FLAGS, 12), CODE(CTL_USERDRAW, 13), CODE(CTL_USEREVENT, 14), CODE(CTL_LABEL, 15),
        CODE(CTL_USERDATA, 16), CODE(DR_ERASE, 0), CODE(DR_RENDER, 1), CODE(DR_GHOST, 2),
        CODE(DR_REFRESH, 3), CODE(PANF_BLOCKING, 1), CODE(PANF_CANCEL, 2), CODE(PANF_FRAME, 4)),
    [](const auto& info) { return std::string(info.param.name); });

#undef CODE

}  // namespace
