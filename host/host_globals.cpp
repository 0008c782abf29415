#include "host/host_globals.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "host/panel_services.h"

namespace standin {
namespace {

// The built-in global served under `name`, or null.
void* builtInGlobal(std::string_view name, SceneInfo& sceneInfo) {
    if (name == HOST_MESSAGE_FUNCS) return messageTable();
    if (name == HOST_SCENE_INFO) return &sceneInfo;
    if (name == HOST_ITEM_INFO) return itemInfoTable();
    if (name == HOST_LIGHT_INFO) return lightInfoTable();
    if (name == HOST_CAMERA_INFO) return cameraInfoTable();
    if (name == HOST_OBJECT_INFO) return objectInfoTable();
    if (name == HOST_GLOBAL_MEMORY) return globalMemoryTable();
    if (name == HOST_RENDER_MEMORY) return renderMemoryTable();
    if (name == HOST_PANEL_SERVICES) return panelServices();
    return nullptr;
}

}  // namespace

SceneInfo standardSceneInfo() {
    SceneInfo info{};
    info.name = "Stand-in scene";
    info.filename = "";
    info.frameStart = 1;
    info.frameEnd = 60;
    info.frameStep = 1;
    info.framesPerSecond = 30.0;
    info.frameWidth = 640;
    info.frameHeight = 480;
    info.pixelAspect = 1.0;
    info.minSamplesPerPixel = 1;
    info.maxSamplesPerPixel = 1;
    info.limitedRegion[2] = info.frameWidth - 1;
    info.limitedRegion[3] = info.frameHeight - 1;
    info.recursionDepth = 16;
    return info;
}

namespace {

// Set when the host's state has been destroyed at exit; it outlives every destructor.
constinit bool hostDestroyed = false;

// A module that calls the host after the host is gone would use freed memory: the host
// says so and ends the process with a status of its own, so that a test notices.
[[noreturn]] void calledAfterDestruction() {
    std::fputs("stand-in host: called after it was destroyed at exit\n", stderr);
    std::_Exit(kCalledAfterExitStatus);
}

}  // namespace

// Destroyed at exit like any program's state: a module must make no host call from its
// own unload or exit-time destructors, and one that does is caught here.
Host& Host::instance() {
    static Host host;
    if (hostDestroyed) calledAfterDestruction();
    return host;
}

Host::Host() { reset(); }

Host::~Host() { hostDestroyed = true; }

void* Host::lookup(const char* name, int use) {
    if (!name) {
        return nullptr;
    }
    const std::lock_guard lock(lookupMutex_);
    ++lookupCounts_[name];
    if (use != 0) ++nonTransientLookups_;
    if (withheld_.contains(name)) {
        return nullptr;
    }
    if (const auto found = provided_.find(name); found != provided_.end()) {
        return found->second;
    }
    return builtInGlobal(name, sceneInfo_);
}

void Host::withhold(const std::string& name) {
    const std::lock_guard lock(lookupMutex_);
    withheld_.insert(name);
}

int Host::nonTransientLookupCount() const {
    const std::lock_guard lock(lookupMutex_);
    return nonTransientLookups_;
}

int Host::lookupCount(const std::string& name) const {
    const std::lock_guard lock(lookupMutex_);
    const auto found = lookupCounts_.find(name);
    return found == lookupCounts_.end() ? 0 : found->second;
}

void Host::provide(const std::string& name, void* table) {
    const std::lock_guard lock(lookupMutex_);
    provided_[name] = table;
}

void Host::reset() {
    {
        const std::lock_guard lock(lookupMutex_);
        withheld_.clear();
        lookupCounts_.clear();
        nonTransientLookups_ = 0;
    }
    messages_.clear();
    scene_ = Scene::standard();
    sceneInfo_ = standardSceneInfo();
    globalMemory_.reset();
    renderMemory_.reset();
    paramQueries_.reset();
    ambientQueries_.reset();
    illuminationHook_ = nullptr;
    occlusionTest_ = nullptr;
    resetPanelServices();
}

void* globalFunc(const char* name, int use) noexcept {
    try {
        return Host::instance().lookup(name, use);
    } catch (...) {
        return nullptr;  // out of memory while counting: the global reads as missing
    }
}

}  // namespace standin
