#include "host/module_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include "host/module_path.h"
#include "host_test_fixture.h"

namespace {

using standin::ModuleFile;

// A module living in this process, whose descriptor the tests vary.
struct FakeModule {
    static inline int startups = 0;
    static inline int shutdowns = 0;
    static inline void* shutdownValue = nullptr;
    static inline void* activatedLocal = nullptr;
    static inline int token = 0;

    static void* startup() {
        ++startups;
        return &token;
    }
    static void* failingStartup() {
        ++startups;
        return nullptr;
    }
    static void shutdown(void* value) {
        ++shutdowns;
        shutdownValue = value;
    }
    static int activate(long version, GlobalFunc global, void* local, void*) {
        activatedLocal = local;
        return global == standin::globalFunc ? static_cast<int>(version) + 10 : -1;
    }
};

ServerRecord fakeServers[] = {{"ShaderHandler", "fake", FakeModule::activate},
                              {"ImageFilterHandler", nullptr, FakeModule::activate},
                              {nullptr, nullptr, nullptr}};

class HostModuleFile : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        FakeModule::startups = FakeModule::shutdowns = 0;
    }
    ModuleDescriptor descriptor{MODULE_SYNC_WORD,    MODULE_DESCRIPTOR_VERSION, MODULE_MACHINE_WORD,
                                FakeModule::startup, FakeModule::shutdown,      fakeServers};
};

TEST_F(HostModuleFile, MissingOrNonLibraryFileIsUnloadable) {
    const std::string text = tempPath("pelorix3.p");
    std::ofstream(text) << "this is not a shared library\n";
    for (const std::string& path : {tempPath("absent.p"), text}) {
        const auto module = ModuleFile::open(path);
        ASSERT_FALSE(module.ok());
        EXPECT_EQ(module.error().rfind("cannot load module " + path + ": ", 0), 0u)
            << module.error();
    }
#ifndef _WIN32
    // The loader's reason without the file's name, which the message gives once.
    EXPECT_EQ(ModuleFile::open(tempPath("absent.p")).error(),
              "cannot load module " + tempPath("absent.p") +
                  ": cannot open shared object file: No such file or directory");
#endif
}

// The file of a system library this process has loaded: a real library without a
// module descriptor.
std::string systemLibraryPath() {
#ifdef _WIN32
    char path[MAX_PATH] = {};
    GetModuleFileNameA(GetModuleHandleA("kernel32.dll"), path, MAX_PATH);
    return path;
#else
    Dl_info info{};
    dladdr(reinterpret_cast<void*>(&std::printf), &info);
    return info.dli_fname ? info.dli_fname : "";
#endif
}

TEST_F(HostModuleFile, LibraryWithoutDescriptorIsNotAModule) {
    const std::string path = systemLibraryPath();
    const auto module = ModuleFile::open(path);
    ASSERT_FALSE(module.ok());
    EXPECT_EQ(module.error(), path + " is not a plug-in module: it has no _mod_descrip");
}

#ifndef _WIN32
// The host loads the file it is given: a bare name is looked for in the current folder
// only, never in the system's library folders. (Windows hands out a system DLL that is
// already loaded whatever folder the name is given in, so this holds natively only.)
TEST_F(HostModuleFile, BareNameIsNotSearchedForInLibraryFolders) {
    const std::string name = std::filesystem::path(systemLibraryPath()).filename().string();
    ASSERT_FALSE(std::filesystem::exists(name));
    const auto module = ModuleFile::open(name);
    ASSERT_FALSE(module.ok());
    EXPECT_EQ(module.error().rfind("cannot load module " + name + ": ", 0), 0u) << module.error();
}
#endif

TEST_F(HostModuleFile, WrongSyncWordIsRefusedBeforeStartup) {
    descriptor.syncWord = 0x12345678u;
    const auto module = ModuleFile::attach(&descriptor, "fake");
    ASSERT_FALSE(module.ok());
    EXPECT_NE(module.error().find("sync word is 0x12345678"), std::string::npos) << module.error();
    EXPECT_EQ(FakeModule::startups, 0);
}

TEST_F(HostModuleFile, FailedStartupIsReportedAndNotShutDown) {
    descriptor.startup = FakeModule::failingStartup;
    const auto module = ModuleFile::attach(&descriptor, "fake");
    ASSERT_FALSE(module.ok());
    EXPECT_NE(module.error().find("startup failed"), std::string::npos) << module.error();
    EXPECT_EQ(FakeModule::shutdowns, 0);
}

TEST_F(HostModuleFile, ServersAreListedAndActivatedByName) {
    const auto module = ModuleFile::attach(&descriptor, "fake");
    ASSERT_TRUE(module.ok()) << module.error();
    const auto servers = module.value()->servers();
    ASSERT_EQ(servers.size(), 2u);
    EXPECT_EQ(servers[0].className, "ShaderHandler");
    EXPECT_EQ(servers[0].name, "fake");
    EXPECT_EQ(servers[1].name, "");

    int local = 0;
    const auto result =
        module.value()->activate("ShaderHandler", "fake", 2, standin::globalFunc, &local);
    ASSERT_TRUE(result.ok()) << result.error();
    EXPECT_EQ(result.value(), 12);
    EXPECT_EQ(FakeModule::activatedLocal, &local);

    const auto missing = module.value()->activate("ShaderHandler", "other", 2, nullptr, nullptr);
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().find("not found"), std::string::npos) << missing.error();
    // A record without a name matches no request, not even an empty name.
    EXPECT_FALSE(module.value()->activate("ImageFilterHandler", "", 2, nullptr, nullptr).ok());
}

TEST_F(HostModuleFile, DestructionShutsDownWithTheStartupValue) {
    {
        const auto module = ModuleFile::attach(&descriptor, "fake");
        ASSERT_TRUE(module.ok()) << module.error();
        EXPECT_EQ(FakeModule::shutdowns, 0);
    }
    EXPECT_EQ(FakeModule::shutdowns, 1);
    EXPECT_EQ(FakeModule::shutdownValue, &FakeModule::token);
}

TEST_F(HostModuleFile, DefaultPathIsBesideTheRunningExecutable) {
    const std::filesystem::path path = standin::defaultModulePath();
#ifdef _WIN32
    EXPECT_EQ(path.filename(), "pelorix3.p");
    EXPECT_TRUE(std::filesystem::exists(path.parent_path() / "host_tests.exe")) << path;
#else
    EXPECT_EQ(path.filename(), "pelorix3.so");
    EXPECT_TRUE(std::filesystem::exists(path.parent_path() / "host_tests")) << path;
#endif
}

}  // namespace
