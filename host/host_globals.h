// The stand-in host's process-wide state and its global lookup. The renderer's
// GlobalFunc is a plain C function without context, so everything it serves lives in
// one Host object; tests adjust it and call reset() between cases.
#ifndef PELORIX3_HOST_HOST_GLOBALS_H
#define PELORIX3_HOST_HOST_GLOBALS_H

#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>

#include "framework/host_interface.h"
#include "host/illumination_hooks.h"
#include "host/message_log.h"
#include "host/render_memory.h"
#include "host/scene.h"
#include "host/scene_services.h"
#include "host/switchable_log.h"

namespace standin {

// The exit status of a process whose module called the host after the host's state was
// destroyed at exit.
inline constexpr int kCalledAfterExitStatus = 70;

class Host {
public:
    // The process's host, made at its first use and destroyed at exit; a call after that
    // ends the process with kCalledAfterExitStatus.
    static Host& instance();

    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // What globalFunc() answers: the table or record served under `name`, or null for an
    // unknown or withheld name. Every lookup is counted, withheld or not, and so is every
    // lookup whose `use` is not 0 (transient), which a module never asks for.
    void* lookup(const char* name, int use = 0);

    // Makes lookups of `name` return null until reset().
    void withhold(const std::string& name);
    int lookupCount(const std::string& name) const;
    int nonTransientLookupCount() const;

    // Serves `table` under `name` besides the built-in globals (other host parts, such
    // as panel services, add theirs this way). Provided globals stay across reset().
    void provide(const std::string& name, void* table);

    // Back to the start: every global served, counts zero, messages cleared, memory
    // blocks freed, the standard scene and scene record, no hook, no shadows, logs off.
    void reset();

    MessageLog& messages() { return messages_; }
    Scene& scene() { return scene_; }
    const Scene& scene() const { return scene_; }
    SceneInfo& sceneInfo() { return sceneInfo_; }
    MemoryBlocks& globalMemory() { return globalMemory_; }
    MemoryBlocks& renderMemory() { return renderMemory_; }
    SwitchableLog<ParamQuery>& paramQueries() { return paramQueries_; }
    // The times at which the ambient colour was asked for.
    SwitchableLog<double>& ambientQueries() { return ambientQueries_; }

    // Set before rendering; read without locking by concurrent illumination calls.
    void setIlluminationHook(IlluminationHook hook) { illuminationHook_ = std::move(hook); }
    void setOcclusionTest(OcclusionTest test) { occlusionTest_ = std::move(test); }
    const IlluminationHook& illuminationHook() const { return illuminationHook_; }
    const OcclusionTest& occlusionTest() const { return occlusionTest_; }

private:
    Host();
    ~Host();

    mutable std::mutex lookupMutex_;  // guards the three containers below
    std::map<std::string, void*, std::less<>> provided_;
    std::set<std::string, std::less<>> withheld_;
    std::map<std::string, int, std::less<>> lookupCounts_;
    int nonTransientLookups_ = 0;

    MessageLog messages_;
    Scene scene_;
    SceneInfo sceneInfo_{};
    MemoryBlocks globalMemory_;
    MemoryBlocks renderMemory_;
    SwitchableLog<ParamQuery> paramQueries_;
    SwitchableLog<double> ambientQueries_;
    IlluminationHook illuminationHook_;
    OcclusionTest occlusionTest_;
};

// The scene record served as "LW Scene Info" after reset(): frames 1 to 60 at 30 per
// second, 640 × 480 square pixels, one sample per pixel, ray recursion depth 16.
SceneInfo standardSceneInfo();

// The host's GlobalFunc, handed to the module at activation. Never throws.
void* globalFunc(const char* name, int use) noexcept;

}  // namespace standin

#endif
