#include "framework/shader_activation.h"

#include <cstring>

#include "framework/module_globals.h"
#include "framework/sample_context.h"
#include "framework/shading_server.h"
#include "panels/interface.h"

namespace pelorix3 {

namespace {

// The host hands back the pointer that create returned, a ShadingServer.
ShadingServer* server(HostInstance instance) { return static_cast<ShadingServer*>(instance); }

void destroyAdapter(HostInstance instance) { delete server(instance); }

bool sameName(const ShadingServer& a, const ShadingServer& b) {
    return a.name && b.name && std::strcmp(a.name, b.name) == 0;
}

HostError copyAdapter(HostInstance from, HostInstance to) {
    if (from && to && sameName(*server(from), *server(to))) server(to)->copy(*server(from));
    return nullptr;
}

HostError loadAdapter(HostInstance instance, const LoadState* state) {
    if (instance && state) server(instance)->load(state);
    return nullptr;
}

HostError saveAdapter(HostInstance instance, const SaveState* state) {
    if (instance && state) server(instance)->save(state);
    return nullptr;
}

HostError initAdapter(HostInstance instance) {
    return instance ? server(instance)->init() : nullptr;
}

void cleanupAdapter(HostInstance instance) {
    if (instance) server(instance)->cleanup();
}

HostError newTimeAdapter(HostInstance instance, int frame, double time) {
    return instance ? server(instance)->startNewTime(frame, time) : nullptr;
}

void evaluateAdapter(HostInstance instance, ShadingRecord* record) {
    if (instance == nullptr || record == nullptr) return;
    SampleContext context(server(instance), record);
    server(instance)->evaluate(context);
    context.copyOut();
}

unsigned int flagsAdapter(HostInstance instance) { return instance ? server(instance)->flags : 0u; }

const char* descriptionAdapter(HostInstance instance) {
    if (instance == nullptr) return "";
    ShadingServer* shader = server(instance);
    shader->describe(shader->description, sizeof shader->description);
    return shader->description;
}

}  // namespace

int activateShaderHandler(long version, GlobalFunc global, void* local, void* /*serverData*/,
                          CreateEntry create) {
    if (version < 1 || version > 2) return AFUNC_BADVERSION;
    if (local == nullptr) return AFUNC_BADLOCAL;
    auto* table = static_cast<ShaderHandlerTable*>(local);
    table->create = create;
    table->destroy = destroyAdapter;
    table->copy = copyAdapter;
    table->load = loadAdapter;
    table->save = saveAdapter;
    table->init = initAdapter;
    table->cleanup = cleanupAdapter;
    table->newTime = newTimeAdapter;
    table->evaluate = evaluateAdapter;
    table->flags = flagsAdapter;
    if (version == 2) table->descln = descriptionAdapter;
    hostGlobal = global;
    return AFUNC_OK;
}

int activateShaderInterface(long /*version*/, GlobalFunc /*global*/, void* local,
                            void* /*serverData*/) {
    ShadingServer* instance = server(local);
    if (instance == nullptr) return AFUNC_BADLOCAL;
    if (instance->panel == nullptr) return panelUnavailable;
    editedInstance = instance;
    instance->init();
    return instance->panel->open();
}

}  // namespace pelorix3
