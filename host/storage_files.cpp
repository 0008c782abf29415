#include "host/storage_files.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace standin {
namespace {

std::string textOf(const std::string& item) { return item.substr(0, item.find('\0')); }

Status writeFile(const std::string& path, const std::string& contents) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) {
        return Status::failure("cannot create " + path);
    }
    file.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    file.close();
    if (!file) {
        return Status::failure("cannot write " + path);
    }
    return succeeded();
}

// One item per line; an item holding a line break cannot come back as one item.
Result<std::string> textContents(const std::vector<std::string>& items) {
    std::string contents;
    for (const std::string& item : items) {
        const std::string text = textOf(item);
        if (text.find_first_of("\r\n") != std::string::npos) {
            return Result<std::string>::failure("a text item holds a line break: " + text);
        }
        contents += text;
        contents += '\n';
    }
    return Result<std::string>::success(std::move(contents));
}

}  // namespace

Status writeTextFile(const std::string& path, const std::vector<std::string>& items) {
    const Result<std::string> contents = textContents(items);
    if (!contents) return Status::failure("cannot write " + path + ": " + contents.error());
    return writeFile(path, contents.value());
}

Result<std::vector<std::string>> readTextFile(const std::string& path) {
    const Result<std::string> contents = readBinaryFile(path);
    if (!contents) {
        return Result<std::vector<std::string>>::failure(contents.error());
    }
    std::vector<std::string> items;
    std::istringstream lines(contents.value());
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        items.push_back(std::move(line));
    }
    return Result<std::vector<std::string>>::success(std::move(items));
}

Status writeBinaryFile(const std::string& path, const std::string& bytes) {
    return writeFile(path, bytes);
}

Result<std::string> readBinaryFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return Result<std::string>::failure("cannot read " + path +
                                            ": no such file or not readable");
    }
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) {
        return Result<std::string>::failure("cannot read " + path);
    }
    return Result<std::string>::success(std::move(bytes));
}

Result<std::string> fileContents(const MemorySaveState& saved) {
    return saved.isText() ? textContents(saved.items())
                          : Result<std::string>::success(saved.bytes());
}

Status saveToFile(const MemorySaveState& saved, const std::string& path) {
    const Result<std::string> contents = fileContents(saved);
    if (!contents) return Status::failure("cannot write " + path + ": " + contents.error());
    return writeFile(path, contents.value());
}

Result<MemoryLoadState> loadFromFile(const std::string& path, HostStorageMode mode) {
    if (mode == HOST_IO_BINARY) {
        Result<std::string> bytes = readBinaryFile(path);
        return bytes ? Result<MemoryLoadState>::success(MemoryLoadState::binary(bytes.value()))
                     : Result<MemoryLoadState>::failure(bytes.error());
    }
    Result<std::vector<std::string>> items = readTextFile(path);
    return items ? Result<MemoryLoadState>::success(MemoryLoadState::text(items.value()))
                 : Result<MemoryLoadState>::failure(items.error());
}

}  // namespace standin
