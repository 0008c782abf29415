// Thousands of instance lifetimes and a hundred loads of the module file: every cycle must
// behave as the first, and the module file must leave the process when closed. Outside the
// sanitizers, which check leaks themselves, the instance lifetimes must leave the heap
// holding exactly as much as before.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "host/storage_states.h"
#include "render/shading_sample.h"
#include "stress_fixture.h"

namespace {

using stress::host;

constexpr int instanceCycles = 2000;
constexpr int moduleCycles = 100;

std::string item(const std::string& text) { return text + std::string(1, '\0'); }

const std::vector<std::string> storedText = {
    item(" 0.500000"), item(" 0.250000"), item(" 0.125000"), item(" 0.750000"),
    item(" 0.375000"), item(" 0.000000"), item(" 1.000000")};

// The same values as 4-byte big-endian single-precision floats.
const std::string storedBinary(
    "\x3F\x00\x00\x00"
    "\x3E\x80\x00\x00"
    "\x3E\x00\x00\x00\x3F\x40\x00\x00\x3E\xC0\x00\x00"
    "\x00\x00\x00\x00"
    "\x3F\x80\x00\x00",
    28);

// The user moves "Density" to 40 per cent, then confirms or cancels.
void scriptUser(bool confirm) {
    standin::resetPanelServices();
    standin::setScriptedUser([confirm](standin::PanelSession& session) {
        session.setValue("Density", 40.0);
        return confirm;
    });
}

// One lifetime of two instances: load into one, copy into the other, save it, edit it
// in its panel, save again. Returns what went wrong, or nothing.
std::optional<std::string> instanceCycle(const standin::ShaderModule& module, int cycle) {
    const bool text = cycle % 2 == 0;
    const bool confirm = cycle % 4 < 2;
    standin::ShaderInstance loaded = stress::createInstance(module);
    standin::MemoryLoadState block = text ? standin::MemoryLoadState::text(storedText)
                                          : standin::MemoryLoadState::binary(storedBinary);
    loaded.load(block.state());
    standin::ShaderInstance copied = stress::createInstance(module);
    loaded.copyTo(copied);

    standin::MemorySaveState saved(text ? HOST_IO_ASCII : HOST_IO_BINARY);
    copied.save(saved.state());
    if (text ? saved.items() != storedText : saved.bytes() != storedBinary)
        return "the copy does not save the loaded block";

    scriptUser(confirm);
    if (stress::openPanel(module, copied) != 0) return "the panel did not open";
    standin::MemorySaveState edited(HOST_IO_ASCII);
    copied.save(edited.state());
    const std::string density = edited.items().empty() ? "" : edited.items()[0];
    if (density != item(confirm ? " 0.400000" : " 0.500000"))
        return "density after the panel is" + density;
    standin::resetPanelServices();
    return std::nullopt;
}

// One load of the module file: an instance shades a sample after its first new time. The
// render memory goes with each load, as with a render session: the shared block holds the
// address of a list inside the module that published it.
std::optional<std::array<double, 3>> moduleCycle() {
    host().renderMemory().reset();
    standin::ShaderModule module = stress::openModule();
    standin::ShaderInstance instance = stress::createInstance(module);
    if (instance.newTime(1, 0.0) != nullptr) return std::nullopt;
    ShadingRecord record = render::ShadingSample().record();
    if (!instance.evaluate(record)) return std::nullopt;
    return std::array<double, 3>{record.color[0], record.color[1], record.color[2]};
}

using StressRepeatedLifecycle = stress::StressTest;

TEST_F(StressRepeatedLifecycle, ThousandsOfInstanceLifetimesBehaveAlikeAndLoseNothing) {
    standin::ShaderModule module = stress::openModule();
    for (int warmUp = 0; warmUp < 4; ++warmUp)
        ASSERT_EQ(instanceCycle(module, warmUp), std::nullopt);
    const std::optional<std::size_t> heapBefore = stress::heapInUse();

    int failures = 0;
    std::string firstFailure;
    for (int cycle = 0; cycle < instanceCycles; ++cycle) {
        if (auto failure = instanceCycle(module, cycle)) {
            if (failures++ == 0) firstFailure = "cycle " + std::to_string(cycle) + ": " + *failure;
        }
    }
    EXPECT_EQ(failures, 0) << firstFailure;
    if (heapBefore) {
        EXPECT_EQ(stress::heapInUse(), heapBefore) << "bytes lost over the cycles";
    }
}

TEST_F(StressRepeatedLifecycle, AHundredLoadsOfTheModuleFileUnloadItEveryTime) {
    ASSERT_FALSE(stress::moduleFileMapped());
    const auto first = moduleCycle();
    ASSERT_TRUE(first.has_value());
    ASSERT_GT((*first)[0], 0.0);
    ASSERT_EQ(moduleCycle(), first);

    int differentColours = 0;
    int stillMapped = 0;
    for (int cycle = 0; cycle < moduleCycles; ++cycle) {
        if (moduleCycle() != first) ++differentColours;
        if (stress::moduleFileMapped()) ++stillMapped;
    }
    EXPECT_EQ(differentColours, 0);
    EXPECT_EQ(stillMapped, 0);
    // No heap count here: the C library's loader keeps bookkeeping of its own across
    // dlopen and dlclose. LeakSanitizer (sanitize preset) and valgrind (native) check it.
}

}  // namespace
