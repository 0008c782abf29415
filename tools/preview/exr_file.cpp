#include "tools/preview/exr_file.h"

#include <Imath/half.h>
#include <OpenEXR/ImfChannelList.h>
#include <OpenEXR/ImfFrameBuffer.h>
#include <OpenEXR/ImfHeader.h>
#include <OpenEXR/ImfIO.h>
#include <OpenEXR/ImfOutputFile.h>
#include <OpenEXR/ImfStandardAttributes.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <vector>

#include "tools/preview/atomic_write.h"

namespace preview {
namespace {

// OpenEXR writes its table of line offsets last, going back to its place after the
// header, so the file is made in memory, where it can go back, and then written out
// whole: to a pipe or standard output too.
class MemoryStream : public Imf::OStream {
public:
    MemoryStream() : Imf::OStream("memory") {}

    void write(const char c[], int n) override {
        const auto count = static_cast<std::size_t>(n);
        if (position_ + count > bytes_.size()) bytes_.resize(position_ + count);
        std::memcpy(bytes_.data() + position_, c, count);
        position_ += count;
    }
    uint64_t tellp() override { return position_; }
    void seekp(uint64_t position) override { position_ = position; }

    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
    std::size_t position_ = 0;
};

constexpr float kLargestHalf = 65504.0f;

std::vector<Imath::half> halves(const render::LinearImage& image) {
    std::vector<Imath::half> values(image.rgb.size());
    std::transform(image.rgb.begin(), image.rgb.end(), values.begin(), [](float value) {
        return Imath::half(std::clamp(value, -kLargestHalf, kLargestHalf));
    });
    return values;
}

// The file's bytes; OpenEXR reports its failures by throwing.
std::string encode(const render::LinearImage& image) {
    Imf::Header header(image.width, image.height);
    for (const char* channel : {"R", "G", "B"}) {
        header.channels().insert(channel, Imf::Channel(Imf::HALF));
    }
    header.compression() = Imf::ZIP_COMPRESSION;
    Imf::addChromaticities(header, Imf::Chromaticities());  // Rec. 709 primaries, D65 white
    std::vector<Imath::half> values = halves(image);
    char* base = reinterpret_cast<char*>(values.data());
    const std::size_t pixel = 3 * sizeof(Imath::half);
    const std::size_t row = pixel * static_cast<std::size_t>(image.width);
    Imf::FrameBuffer frame;
    frame.insert("R", Imf::Slice(Imf::HALF, base, pixel, row));
    frame.insert("G", Imf::Slice(Imf::HALF, base + sizeof(Imath::half), pixel, row));
    frame.insert("B", Imf::Slice(Imf::HALF, base + 2 * sizeof(Imath::half), pixel, row));
    MemoryStream stream;
    {
        Imf::OutputFile file(stream, header);
        file.setFrameBuffer(frame);
        file.writePixels(image.height);
    }  // the offsets are written as the file closes
    return stream.bytes();
}

}  // namespace

bool namesExr(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".exr";
}

base::Status writeExr(const render::LinearImage& image, const std::string& path) {
    if (image.width <= 0 || image.height <= 0 ||
        image.rgb.size() != 3 * static_cast<std::size_t>(image.width) * image.height) {
        return base::Status::failure("cannot write " + outputName(path) + ": the picture is empty");
    }
    std::string bytes;
    try {
        bytes = encode(image);
    } catch (const std::exception& error) {
        return base::Status::failure("cannot write " + outputName(path) +
                                     ": encoding the OpenEXR file failed: " + error.what());
    }
    return writeAtomically(path, [&bytes](std::FILE* stream) {
        std::fwrite(bytes.data(), 1, bytes.size(), stream);  // a short write sets its error
        return base::succeeded();
    });
}

}  // namespace preview
