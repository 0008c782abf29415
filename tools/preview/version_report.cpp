#include "tools/preview/version_report.h"

#include <cctype>
#include <cstdio>

#include "host/shader_driver.h"
#include "tools/preview/panel_picture.h"

namespace preview {

std::string versionInTitle(const std::string& title) {
    const std::string word = title.substr(title.find_last_of(' ') + 1);  // npos + 1 is 0
    return !word.empty() && std::isdigit(static_cast<unsigned char>(word[0])) ? word : "";
}

base::Status printVersions(const std::string& modulePath) {
    std::printf("pelorix3-preview %s\n", PELORIX3_TOOL_VERSION);
    const base::Result<standin::ShaderModule> module = standin::ShaderModule::open(modulePath);
    if (!module) return base::Status::failure(module.error());
    const base::Result<standin::ShaderInstance> instance = module->createInstance();
    if (!instance) return base::Status::failure(modulePath + ": " + instance.error());
    const base::Result<std::string> title = optionsPanelTitle(module.value(), instance.value());
    if (!title) return base::Status::failure(modulePath + ": " + title.error());
    const std::string version = versionInTitle(title.value());
    if (version.empty()) {
        return base::Status::failure(modulePath + ": its options panel's title \"" + title.value() +
                                     "\" carries no version");
    }
    std::printf("module %s (%s, its options panel \"%s\")\n", version.c_str(), modulePath.c_str(),
                title.value().c_str());
    return base::succeeded();
}

}  // namespace preview
