// Every end-to-end case loads the built module file afresh through the stand-in host and
// activates its shader handler, as the renderer does; the host starts from its defaults.
#ifndef PELORIX3_TESTS_MODULE_MODULE_FIXTURE_H
#define PELORIX3_TESTS_MODULE_MODULE_FIXTURE_H

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "host/host_globals.h"
#include "host/module_path.h"
#include "host/shader_driver.h"

class ModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        host().reset();
        auto opened = standin::ShaderModule::open(standin::defaultModulePath());
        ASSERT_TRUE(opened.ok()) << opened.error();
        module_.emplace(std::move(opened.value()));
    }
    void TearDown() override {
        module_.reset();
        host().reset();
    }

    static standin::Host& host() { return standin::Host::instance(); }
    const standin::ShaderModule& module() const { return *module_; }

    standin::ShaderInstance create() {
        auto instance = module_->createInstance();
        EXPECT_TRUE(instance.ok()) << instance.error();
        return std::move(instance.value());
    }

    // An instance that has had its first new time (frame 1 at time 0 unless given).
    standin::ShaderInstance createReady(double time = 0.0) {
        standin::ShaderInstance instance = create();
        EXPECT_EQ(instance.newTime(1, time), nullptr);
        return instance;
    }

private:
    std::optional<standin::ShaderModule> module_;
};

#endif
