// A host for toolkit tests: the stand-in panel services and a message recorder served
// through the module's global lookup, and the module-wide state restored afterwards.
#ifndef PELORIX3_TESTS_PANELS_PANEL_FIXTURE_H
#define PELORIX3_TESTS_PANELS_PANEL_FIXTURE_H

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "framework/host_services.h"
#include "framework/module_globals.h"
#include "host/panel_services.h"

namespace panel_test {

using Message = std::pair<std::string, std::string>;

inline std::vector<Message> shownMessages;
inline bool panelServicesMissing = false;

inline void recordInfo(const char* first, const char* second) {
    shownMessages.emplace_back(first ? first : "<null>", second ? second : "<null>");
}

inline MessageFuncs messageTable{recordInfo, recordInfo, recordInfo};

inline void* lookup(const char* name, int /*use*/) {
    if (std::strcmp(name, HOST_PANEL_SERVICES) == 0)
        return panelServicesMissing ? nullptr : standin::panelServices();
    if (std::strcmp(name, HOST_MESSAGE_FUNCS) == 0) return &messageTable;
    return nullptr;
}

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedServices_ = pelorix3::hostServices;
        standin::resetPanelServices();
        shownMessages.clear();
        panelServicesMissing = false;
        pelorix3::hostGlobal = lookup;
        pelorix3::hostServices.messageFuncs = &messageTable;
        pelorix3::editedInstance = nullptr;
    }

    void TearDown() override {
        standin::resetPanelServices();
        pelorix3::hostGlobal = nullptr;
        pelorix3::hostServices = savedServices_;
        pelorix3::editedInstance = nullptr;
    }

    // The recorded calls whose text starts with prefix, in order.
    static std::vector<std::string> callsStartingWith(const std::string& prefix) {
        std::vector<std::string> found;
        for (const std::string& text : standin::panelCallTexts())
            if (text.rfind(prefix, 0) == 0) found.push_back(text);
        return found;
    }

private:
    pelorix3::HostServices savedServices_{};
};

}  // namespace panel_test

#endif
