// A handler that the host drives through the shader callback table: host services,
// options panel, current time, stored values. The options panel is the panel toolkit's
// Interface itself, which the framework's sources open and destroy through its own header:
// the toolkit's root keeps its shape (draw, redraw, open, layout, no virtual destructor)
// instead of deriving from a framework class, or being reached through function pointers
// that would have to be set before any handler is destroyed.
#ifndef PELORIX3_FRAMEWORK_SHADER_SERVER_H
#define PELORIX3_FRAMEWORK_SHADER_SERVER_H

#include <cstddef>

#include "framework/host_server.h"

namespace pelorix3 {

class Interface;

class ShaderServer : public HostServer {
public:
    // Destroys the owned options panel.
    ~ShaderServer() override;
    // Acquires all host services; the first missing one's message, or null.
    HostError init() override;
    // The name and description only: panel and time stay.
    void copy(const HostServer& other) override;
    // Runs at each new time after the scene view refresh.
    virtual void frameSetup() {}
    // Runs once at create, after init.
    virtual void setDefaults() {}
    virtual HostError newTime(int /*frame*/, double /*time*/) { return nullptr; }
    virtual HostError save(const SaveState* /*state*/) { return nullptr; }
    virtual HostError load(const LoadState* /*state*/) { return nullptr; }
    virtual void cleanup() {}
    // Writes the name, cut to size - 1 characters, and a terminator into buffer.
    virtual void describe(char* buffer, std::size_t size);

    // Stores one value in the host's text or binary form.
    void writeValue(const SaveState* state, double value) const;

    Interface* panel = nullptr;  // options panel, owned
    double time = 0.0;           // time of the last new time
};

}  // namespace pelorix3

#endif
