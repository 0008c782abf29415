#include "host/storage_files.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace standin {
namespace {

std::string textOf(const std::string& item) { return item.substr(0, item.find('\0')); }

base::Status writeFile(const std::string& path, const std::string& contents) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) {
        return base::Status::failure("cannot create " + path);
    }
    file.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    file.close();
    if (!file) {
        return base::Status::failure("cannot write " + path);
    }
    return base::succeeded();
}

// One item per line; an item holding a line break cannot come back as one item.
base::Result<std::string> textContents(const std::vector<std::string>& items) {
    std::string contents;
    for (const std::string& item : items) {
        const std::string text = textOf(item);
        if (text.find_first_of("\r\n") != std::string::npos) {
            return base::Result<std::string>::failure("a text item holds a line break: " + text);
        }
        contents += text;
        contents += '\n';
    }
    return base::Result<std::string>::success(std::move(contents));
}

}  // namespace

base::Status writeTextFile(const std::string& path, const std::vector<std::string>& items) {
    const base::Result<std::string> contents = textContents(items);
    if (!contents) return base::Status::failure("cannot write " + path + ": " + contents.error());
    return writeFile(path, contents.value());
}

base::Result<std::vector<std::string>> readTextFile(const std::string& path) {
    const base::Result<std::string> contents = readBinaryFile(path);
    if (!contents) {
        return base::Result<std::vector<std::string>>::failure(contents.error());
    }
    std::vector<std::string> items;
    std::istringstream lines(contents.value());
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        items.push_back(std::move(line));
    }
    return base::Result<std::vector<std::string>>::success(std::move(items));
}

base::Status writeBinaryFile(const std::string& path, const std::string& bytes) {
    return writeFile(path, bytes);
}

base::Result<std::string> readBinaryFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return base::Result<std::string>::failure("cannot read " + path +
                                                  ": no such file or not readable");
    }
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) {
        return base::Result<std::string>::failure("cannot read " + path);
    }
    return base::Result<std::string>::success(std::move(bytes));
}

base::Result<std::string> fileContents(const MemorySaveState& saved) {
    return saved.isText() ? textContents(saved.items())
                          : base::Result<std::string>::success(saved.bytes());
}

base::Status saveToFile(const MemorySaveState& saved, const std::string& path) {
    const base::Result<std::string> contents = fileContents(saved);
    if (!contents) return base::Status::failure("cannot write " + path + ": " + contents.error());
    return writeFile(path, contents.value());
}

base::Result<MemoryLoadState> loadFromFile(const std::string& path, HostStorageMode mode) {
    if (mode == HOST_IO_BINARY) {
        base::Result<std::string> bytes = readBinaryFile(path);
        return bytes
                   ? base::Result<MemoryLoadState>::success(MemoryLoadState::binary(bytes.value()))
                   : base::Result<MemoryLoadState>::failure(bytes.error());
    }
    base::Result<std::vector<std::string>> items = readTextFile(path);
    return items ? base::Result<MemoryLoadState>::success(MemoryLoadState::text(items.value()))
                 : base::Result<MemoryLoadState>::failure(items.error());
}

}  // namespace standin
