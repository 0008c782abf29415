#include "framework/shader_server.h"

#include <algorithm>
#include <cstring>

#include "framework/host_services.h"
#include "framework/value_stream.h"
#include "panels/interface.h"

namespace pelorix3 {

ShaderServer::~ShaderServer() { delete panel; }

HostError ShaderServer::init() { return acquireShaderServices(); }

void ShaderServer::copy(const HostServer& other) { HostServer::copy(other); }

void ShaderServer::describe(char* buffer, std::size_t size) {
    if (buffer == nullptr || size == 0) return;
    const char* text = name ? name : "";
    const std::size_t length = std::min(std::strlen(text), size - 1);
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
}

void ShaderServer::writeValue(const SaveState* state, double value) const {
    writeStoredValue(state, value);
}

}  // namespace pelorix3
