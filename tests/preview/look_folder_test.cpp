// --save-look writes the look a run stands at as a folder that --preset reads back to the
// same picture, its maps under bare names; it never writes over anything, and leaves
// nothing half-written.
#include <algorithm>

#include "looks/preset.h"
#include "preview_fixture.h"

namespace {

using LookFolders = PreviewTest;

std::vector<std::string> with(std::vector<std::string> arguments,
                              const std::vector<std::string>& more) {
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

std::vector<std::string> sortedEntries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(LookFolders, ASavedLookRendersAsTheLookItWasSavedFrom) {
    std::filesystem::create_directory(file("maps"));
    const std::string burnout = looks::defaultPresetsFolder() + "/burnout-velvet/burnout.png";
    std::filesystem::copy_file(burnout, file("maps/weave.png"));
    std::filesystem::copy_file(burnout, file("maps/burnout.png"));
    const std::vector<std::string> small{"--width", "48", "--height", "36", "--samples", "1"};
    // The look's map and one of the command line's keep their names.
    const std::vector<std::string> edited{"--preset", "burnout-velvet",      "--density",
                                          "0.6",      "--roughness",         "0.05",
                                          "--map",    "color=maps/weave.png"};
    const ToolRun saved = run(with(with(edited, small), {"--save-look", "saved/", "-o", "a.png"}));
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    EXPECT_EQ(sortedEntries(file("saved")),
              (std::vector<std::string>{"burnout.png", "look.txt", "parameters.txt", "weave.png"}));
    const ToolRun again = run(with({"--preset", "./saved", "-o", "b.png"}, small));
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(readFile(file("b.png")), readFile(file("a.png")));

    // Two maps named alike are named by their inputs; the look still reads back whole.
    const ToolRun clash =
        run(with({"--preset", file("saved").string(), "--map", "color=maps/burnout.png",
                  "--save-look", "clash", "-o", "c.png"},
                 small));
    ASSERT_EQ(clash.exitCode, 0) << clash.err;
    EXPECT_EQ(
        sortedEntries(file("clash")),
        (std::vector<std::string>{"color.png", "look.txt", "luminous.png", "parameters.txt"}));
    ASSERT_EQ(run(with({"--preset", "./clash", "-o", "d.png"}, small)).exitCode, 0);
    EXPECT_EQ(readFile(file("d.png")), readFile(file("c.png")));

    // A second save into the same folder is refused, and the folder stays as it was.
    const std::string look = readFile(file("saved/look.txt"));
    const ToolRun over = run({"--preset", "felt", "--save-look", "saved"});
    EXPECT_EQ(over.exitCode, 1);
    EXPECT_NE(over.err.find("--save-look: cannot write saved: it is a directory already"),
              std::string::npos)
        << over.err;
    EXPECT_EQ(readFile(file("saved/look.txt")), look);
    EXPECT_EQ(sortedEntries(folder()), (std::vector<std::string>{"a.png", "b.png", "c.png", "clash",
                                                                 "d.png", "maps", "saved"}));
}

// Names the look file's reader would not read back as they are (a map's file name with a
// blank at its start or a line break, a source folder's name with a line break) are written
// so that it does; a look.txt longer than the reader takes is refused, and nothing is left.
TEST_F(LookFolders, NothingIsSavedThatDoesNotReadBack) {
    std::filesystem::create_directory(file("maps"));
    const std::string burnout = looks::defaultPresetsFolder() + "/burnout-velvet/burnout.png";
    std::filesystem::copy_file(burnout, file("maps/ weave.png"));
    std::filesystem::copy_file(burnout, file("maps/we\nave.png"));
    std::filesystem::copy(looks::defaultPresetsFolder() + "/felt", file("odd\nlook"));
    const ToolRun saved = run({"--preset", "./odd\nlook", "--map", "color=maps/ weave.png", "--map",
                               "luminous=maps/we\nave.png", "--save-look", "saved"});
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    EXPECT_EQ(
        sortedEntries(file("saved")),
        (std::vector<std::string>{"color.png", "look.txt", "luminous.png", "parameters.txt"}));
    const ToolRun again = run({"--preset", "./saved", "--save", "p.txt"});
    EXPECT_EQ(again.exitCode, 0) << again.err;

    std::filesystem::create_directory(file("wordy"));
    std::filesystem::copy_file(looks::defaultPresetsFolder() + "/felt/parameters.txt",
                               file("wordy/parameters.txt"));
    writeFile(file("wordy/look.txt"), "description = " + std::string(65400, 'w') + "\n");
    ASSERT_EQ(run({"--preset", "./wordy", "--save", "q.txt"}).exitCode, 0);
    const ToolRun longer = run({"--preset", "./wordy", "--save-look", "long"});
    EXPECT_EQ(longer.exitCode, 1);
    EXPECT_NE(longer.err.find("cannot write the look folder long: its look.txt could not be "
                              "read back: it would take "),
              std::string::npos)
        << longer.err;
    EXPECT_NE(longer.err.find(" bytes, more than the 64 KiB a look file may take"),
              std::string::npos)
        << longer.err;
    EXPECT_FALSE(std::filesystem::exists(file("long")));
}

TEST_F(LookFolders, AFolderThatIsNoLookIsRefusedByItsPath) {
    writeFile(file("plain"), "not a folder");
    const ToolRun plain = run({"--preset", "./plain"});
    EXPECT_EQ(plain.exitCode, 1);
    EXPECT_NE(plain.err.find("./plain is a regular file, not a look folder"), std::string::npos)
        << plain.err;
    const ToolRun missing = run({"--preset", "./absent"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("there is no look folder ./absent"), std::string::npos)
        << missing.err;
}

}  // namespace
