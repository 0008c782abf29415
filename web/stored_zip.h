// Zip archives whose entries are stored, not compressed: how the studio hands a look over
// as one file (the page has no compression library) and reads it back. Any zip tool reads
// what storedZip() writes; readStoredZip() reads such archives, and refuses with the reason
// what it cannot take: compressed or encrypted entries, entries in folders, a damaged
// archive or entry.
#ifndef PELORIX3_WEB_STORED_ZIP_H
#define PELORIX3_WEB_STORED_ZIP_H

#include <string>
#include <vector>

#include "base/result.h"

namespace studio {

struct ZipEntry {
    std::string name;  // a bare file name
    std::string bytes;

    bool operator==(const ZipEntry&) const = default;
};

// The entries, in their order, dated now.
std::string storedZip(const std::vector<ZipEntry>& entries);

// Whether `bytes` begin as a zip archive does.
bool looksLikeZip(const std::string& bytes);

// The entries of the archive in `bytes`; `name` stands for it in messages.
base::Result<std::vector<ZipEntry>> readStoredZip(const std::string& bytes,
                                                  const std::string& name);

}  // namespace studio

#endif
