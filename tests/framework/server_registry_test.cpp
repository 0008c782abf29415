#include "framework/server_registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pelorix3 {
namespace {

int activateNothing(long, GlobalFunc, void*, void*) { return 0; }

bool isTerminator(const ServerRecord& r) {
    return r.className == nullptr && r.name == nullptr && r.activate == nullptr;
}

TEST(ServerRegistry, ModuleRegistersItsTwoServersAtLoad) {
    const ServerRecord* records = serverRegistry.records;
    ASSERT_EQ(serverRegistry.count, 2);
    EXPECT_STREQ(records[0].className, "ShaderHandler");
    EXPECT_STREQ(records[0].name, "pelorix3");
    EXPECT_STREQ(records[1].className, "ShaderInterface");
    EXPECT_STREQ(records[1].name, "pelorix3");
    EXPECT_EQ(records[0].name, records[1].name);  // the registering object's own text
    EXPECT_TRUE(isTerminator(records[2]));
}

TEST(ServerRegistry, SamePointersRegisterOnceEqualTextElsewhereTwice) {
    ServerRegistry registry{};
    static const char className[] = "ShaderHandler";
    static const char otherCopy[] = "ShaderHandler";
    EXPECT_EQ(registry.registerServer(className, "a", activateNothing), 1);
    EXPECT_EQ(registry.registerServer(className, "a", activateNothing), 0);
    EXPECT_EQ(registry.count, 1);
    EXPECT_EQ(registry.registerServer(otherCopy, "a", activateNothing), 1);
    EXPECT_EQ(registry.count, 2);
    EXPECT_TRUE(isTerminator(registry.records[2]));
}

// A record without a name would end the table early for the host.
TEST(ServerRegistry, ANullNameIsRefusedAndLaterServersStayVisible) {
    ServerRegistry registry{};
    EXPECT_EQ(registry.registerServer(nullptr, nullptr, activateNothing), 0);
    EXPECT_EQ(registry.registerServer("ShaderHandler", nullptr, activateNothing), 0);
    EXPECT_EQ(registry.registerServer(nullptr, "a", activateNothing), 0);
    EXPECT_EQ(registry.registerServer("ShaderHandler", "a", activateNothing), 1);
    EXPECT_STREQ(registry.records[0].name, "a");
    EXPECT_TRUE(isTerminator(registry.records[1]));
}

TEST(ServerRegistry, FullTableRefusesAndKeepsItsTerminator) {
    ServerRegistry registry{};
    std::vector<std::string> names(ServerRegistry::capacity + 1);
    for (int i = 0; i < ServerRegistry::capacity; ++i) {
        names[i] = "server" + std::to_string(i);
        ASSERT_EQ(registry.registerServer("ShaderHandler", names[i].c_str(), activateNothing), 1);
    }
    names.back() = "one too many";
    EXPECT_EQ(registry.registerServer("ShaderHandler", names.back().c_str(), activateNothing), 0);
    EXPECT_EQ(registry.count, ServerRegistry::capacity);
    EXPECT_TRUE(isTerminator(registry.records[ServerRegistry::capacity]));
}

}  // namespace
}  // namespace pelorix3
