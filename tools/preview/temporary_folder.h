// The temporary folder a look folder is written into before it is renamed onto its
// destination, so that the folder appears whole or not at all. It is made under a name no
// one can guess beside the destination, its files created exclusively (never through a
// link planted there); the rename never replaces anything that has appeared at the
// destination since. Until it is in place, the folder and its files are removed when
// writing fails, when it is abandoned, or when a signal ends the process.
#ifndef PELORIX3_TOOLS_PREVIEW_TEMPORARY_FOLDER_H
#define PELORIX3_TOOLS_PREVIEW_TEMPORARY_FOLDER_H

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"

namespace preview {

class TemporaryFolder {
public:
    // A new, empty folder beside `destination`, with the usual permissions under the
    // umask; the reason, from the system, when it cannot be made.
    static base::Result<std::unique_ptr<TemporaryFolder>> beside(const std::string& destination);

    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    // Removes the folder and its files unless it was moved into place.
    ~TemporaryFolder();

    // Writes the new file `name` in the folder, synced to the disk; the reason when it
    // cannot be.
    base::Status add(const std::string& name, std::string_view contents);

    // Syncs the folder and renames it onto the destination, which must not exist.
    base::Status moveIntoPlace();

private:
    struct Entry {
        std::string path;
        int ticket;  // its registration for removal on a signal
    };

    TemporaryFolder(Entry folder, std::string destination)
        : folder_(std::move(folder)), destination_(std::move(destination)) {}

    void removeAll();

    Entry folder_;
    std::string destination_;
    std::vector<Entry> files_;
    bool placed_ = false;
};

}  // namespace preview

#endif
