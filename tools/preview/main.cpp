// pelorix3-preview: renders the sheen shader through the stand-in host. See --help.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>

#include "tools/preview/preview_command.h"
#include "tools/preview/preview_options.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

}  // namespace

int main(int argc, char** argv) {
    CLI::App app;
    app.name("pelorix3-preview");
    preview::PreviewOptions options;
    preview::defineOptions(app, options);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return app.exit(help);
    } catch (const CLI::ParseError& error) {
        std::fprintf(stderr, "pelorix3-preview: %s\nRun pelorix3-preview --help for the options.\n",
                     error.what());
        return kExitUsage;
    }
    try {
        const standin::Status done = preview::runPreview(options);
        if (!done) {
            std::fprintf(stderr, "pelorix3-preview: %s\n", done.error().c_str());
            return kExitFailure;
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "pelorix3-preview: %s\n", error.what());
        return kExitFailure;
    }
}
