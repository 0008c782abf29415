#include <gtest/gtest.h>

#include <cstring>

#include "host/host_globals.h"
#include "host/module_file.h"
#include "host/module_path.h"

namespace {

struct ActivationTest : ::testing::Test {
    void SetUp() override {
        standin::Host::instance().reset();
        auto opened = standin::ModuleFile::open(standin::defaultModulePath());
        ASSERT_TRUE(opened.ok()) << opened.error();
        file = std::move(opened.value());
    }

    // A table whose every entry holds a recognisable host value before activation.
    static ShaderHandlerTable prefilled() {
        ShaderHandlerTable table;
        std::memset(&table, 0, sizeof table);
        table.descln = hostDescription;
        return table;
    }
    static const char* hostDescription(HostInstance) { return "host's own"; }

    int activate(long version, void* table, GlobalFunc global = standin::globalFunc) {
        auto result = file->activate("ShaderHandler", "pelorix3", version, global, table);
        EXPECT_TRUE(result.ok()) << result.error();
        return result.ok() ? result.value() : -1;
    }

    std::unique_ptr<standin::ModuleFile> file;
};

TEST_F(ActivationTest, ServerTableListsHandlerAndInterfaceThenEnds) {
    const auto servers = file->servers();
    ASSERT_EQ(servers.size(), 2u);
    EXPECT_EQ(servers[0].className, "ShaderHandler");
    EXPECT_EQ(servers[0].name, "pelorix3");
    EXPECT_EQ(servers[1].className, "ShaderInterface");
    EXPECT_EQ(servers[1].name, "pelorix3");
    const ModuleDescriptor& descriptor = file->descriptor();
    EXPECT_EQ(descriptor.version, 2u);
    EXPECT_EQ(descriptor.machine, 0x300u);
}

TEST_F(ActivationTest, VersionOneFillsTenEntriesAndLeavesTheDescriptionLine) {
    ShaderHandlerTable table = prefilled();
    EXPECT_EQ(activate(1, &table), 0);
    EXPECT_NE(table.create, nullptr);
    EXPECT_NE(table.destroy, nullptr);
    EXPECT_NE(table.copy, nullptr);
    EXPECT_NE(table.load, nullptr);
    EXPECT_NE(table.save, nullptr);
    EXPECT_NE(table.init, nullptr);
    EXPECT_NE(table.cleanup, nullptr);
    EXPECT_NE(table.newTime, nullptr);
    EXPECT_NE(table.evaluate, nullptr);
    EXPECT_NE(table.flags, nullptr);
    EXPECT_EQ(table.descln, &hostDescription);
}

TEST_F(ActivationTest, VersionTwoFillsTheDescriptionLineToo) {
    ShaderHandlerTable table = prefilled();
    EXPECT_EQ(activate(2, &table), 0);
    EXPECT_NE(table.descln, &hostDescription);
    EXPECT_NE(table.descln, nullptr);
}

TEST_F(ActivationTest, UnsupportedVersionsChangeNothing) {
    for (long version : {0L, 3L, -1L}) {
        ShaderHandlerTable table = prefilled();
        EXPECT_EQ(activate(version, &table), 1) << version;
        EXPECT_EQ(table.create, nullptr);
        EXPECT_EQ(table.descln, &hostDescription);
    }
}

// The lookup kept by the last good activation stays, whichever lookup a refused
// activation brings: none stays none, and the host's stays the host's.
TEST_F(ActivationTest, UnsupportedVersionsKeepTheStoredLookup) {
    ShaderHandlerTable table = prefilled();
    ASSERT_EQ(activate(2, &table, nullptr), 0);
    for (long version : {0L, 3L}) {
        ShaderHandlerTable refused = prefilled();
        EXPECT_EQ(activate(version, &refused), 1);
    }
    EXPECT_EQ(table.create(nullptr), nullptr);

    ASSERT_EQ(activate(2, &table), 0);
    for (long version : {0L, 3L}) {
        ShaderHandlerTable refused = prefilled();
        EXPECT_EQ(activate(version, &refused, nullptr), 1);
    }
    HostInstance instance = table.create(nullptr);
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(standin::Host::instance().lookupCount("LW Scene Info"), 1);
    table.destroy(instance);
}

TEST_F(ActivationTest, NullTableIsABadLocalAndVersionIsCheckedFirst) {
    EXPECT_EQ(activate(2, nullptr), 3);
    EXPECT_EQ(activate(5, nullptr), 1);
}

TEST_F(ActivationTest, CreateWithoutAHostLookupReturnsNothing) {
    ShaderHandlerTable table = prefilled();
    ASSERT_EQ(activate(2, &table, nullptr), 0);
    const char* error = "untouched";
    EXPECT_EQ(table.create(&error), nullptr);
    EXPECT_STREQ(error, "untouched");
}

// A host that hands over no instance, state or record gets a harmless answer from every
// entry, never a crash.
TEST_F(ActivationTest, EveryEntryIgnoresAMissingInstanceStateOrRecord) {
    ShaderHandlerTable table = prefilled();
    ASSERT_EQ(activate(2, &table), 0);
    HostInstance instance = table.create(nullptr);
    ASSERT_NE(instance, nullptr);
    ShadingRecord record{};
    const ShadingRecord untouched{};
    const LoadState load{HOST_IO_ASCII, nullptr, nullptr};
    const SaveState save{HOST_IO_ASCII, nullptr, nullptr};

    table.destroy(nullptr);
    EXPECT_EQ(table.copy(nullptr, instance), nullptr);
    EXPECT_EQ(table.copy(instance, nullptr), nullptr);
    EXPECT_EQ(table.load(nullptr, &load), nullptr);
    EXPECT_EQ(table.load(instance, nullptr), nullptr);
    EXPECT_EQ(table.save(nullptr, &save), nullptr);
    EXPECT_EQ(table.save(instance, nullptr), nullptr);
    EXPECT_EQ(table.init(nullptr), nullptr);
    table.cleanup(nullptr);
    EXPECT_EQ(table.newTime(nullptr, 1, 0.0), nullptr);
    table.evaluate(nullptr, &record);
    table.evaluate(instance, nullptr);
    EXPECT_EQ(table.flags(nullptr), 0u);
    EXPECT_STREQ(table.descln(nullptr), "");
    EXPECT_EQ(std::memcmp(&record, &untouched, sizeof record), 0);
    table.destroy(instance);
}

TEST_F(ActivationTest, InterfaceActivationRefusesANullInstance) {
    auto result = file->activate("ShaderInterface", "pelorix3", 1, standin::globalFunc, nullptr);
    ASSERT_TRUE(result.ok()) << result.error();
    EXPECT_EQ(result.value(), 3);
}

}  // namespace
