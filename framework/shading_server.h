// A shader that evaluates samples: the per-sample pipeline's state on top of ShaderServer.
#ifndef PELORIX3_FRAMEWORK_SHADING_SERVER_H
#define PELORIX3_FRAMEWORK_SHADING_SERVER_H

#include "framework/shader_server.h"

namespace pelorix3 {

class SampleContext;
struct RayCallList;

class ShadingServer : public ShaderServer {
public:
    // Used by every create function: no registration.
    ShadingServer();
    // Used only by the module's global object: registers the "ShaderHandler" server and,
    // when registerInterface is non-zero, the "ShaderInterface" server under name.
    ShadingServer(const char* serverName, int registerInterface, ActivateFunc activate);

    // Takes other's flags, then the ShaderServer part; the list and time stay.
    void copy(const HostServer& other) override;
    // Binds rayCallList to the list shared through the host's render memory.
    void frameSetup() override;
    // Shades one sample; does nothing here.
    virtual int evaluate(SampleContext& /*context*/) { return 0; }

    // The host's new-time entry: services re-acquired, time stored, scene view refreshed,
    // list bound, then newTime. A missing service's message changes nothing else.
    HostError startNewTime(int frame, double newTimeValue);

    RayCallList* rayCallList = nullptr;  // null until the first new time binds it
    unsigned int flags = 0;              // returned to the host unchanged
};

// The common last step of every create function: init (its result is not examined) and
// setDefaults, or the object freed and null when the host has not activated the module.
ShadingServer* finishCreate(ShadingServer* server);

}  // namespace pelorix3

#endif
