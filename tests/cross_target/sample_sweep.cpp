// Shades a fixed set of 20,000 varied samples through the module file beside this program
// and either writes the resulting colours or compares them with colours another build
// wrote:
//
//     sample_sweep write FILE        one line per sample: the three colour components' bits
//     sample_sweep compare FILE      exit 0 when every component is within the bound
//     sample_sweep compare FILE 53   the same with the x87 precision control at 53 bits (or 64)
//
// The 32-bit Windows module computes with the x87 unit, whose precision control is the
// host's: 64 bits, this program's default as every mingw-w64 program's, or 53, the default
// of programs built with Microsoft's compiler. Under either the module must stay within
// the bound, and leave the control word as it found it.
//
// The native build writes; the Windows builds compare under Wine and the WebAssembly build
// under Node (with the module's code linked in, as the studio page has it), so every build
// is held to the native numbers within one bound (componentBound). The inputs are made with
// integer arithmetic, + - * / and the square root only, which every target computes alike,
// so any difference comes from the module.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "framework/bit_cast.h"
#include "host/host_globals.h"
#include "host/module_file.h"
#include "host/module_path.h"
#include "host/shader_driver.h"
#include "host/storage_states.h"
#include "render/shading_sample.h"

#if defined(__EMSCRIPTEN__)
extern "C" ModuleDescriptor _mod_descrip;
#endif

namespace {

constexpr int scenes = 100;
constexpr int samplesPerScene = 200;

// The largest difference a build may show from the native one in a colour component:
// 2^-46, about 1.4e-14, or 64 units in the last place at 1.0 (every component is at most
// 1). Each target's C library computes pow its own way, in the last bits of its results;
// nothing else differs.
constexpr double componentBound = 0x1p-46;

// splitmix64: the same sequence on every target.
class Random {
public:
    double unit() {  // in [0, 1)
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        z ^= z >> 31;
        return static_cast<double>(z >> 11) * 0x1p-53;
    }
    double between(double low, double high) { return low + (high - low) * unit(); }
    base::Triple direction() {
        for (;;) {
            const base::Triple v{between(-1, 1), between(-1, 1), between(-1, 1)};
            const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
            if (length > 0.1 && length <= 1.0) return v * (1.0 / length);
        }
    }
    base::Triple colour(double low, double high) {
        return {between(low, high), between(low, high), between(low, high)};
    }

private:
    std::uint64_t state_ = 0x5eed;
};

void addLights(standin::Scene& scene, Random& random) {
    scene.clearLights();
    const int count = 1 + static_cast<int>(random.unit() * 4.0);
    for (int i = 0; i < count; ++i) {
        standin::Light light;
        light.type = random.unit() < 0.5 ? standin::LightType::Point : standin::LightType::Distant;
        // One draw per statement: the order in which a compiler evaluates the operands of
        // an operator is its own, and every target must draw the same numbers alike.
        const base::Triple towards = random.direction();
        light.position = towards * random.between(1.5, 6.0);
        light.forward = random.direction();
        light.color = random.colour(0.2, 1.0);
        light.intensity = random.between(0.3, 1.5);
        scene.addLight(light);
    }
    scene.ambient = random.colour(0.0, 0.2);
}

// The seven stored values in the binary form (big-endian singles), so every target loads
// exactly the same parameters.
std::string storedParameters(Random& random) {
    const float values[7] = {static_cast<float>(random.between(0.0, 1.2)),
                             static_cast<float>(random.unit()),
                             static_cast<float>(random.unit()),
                             static_cast<float>(random.unit()),
                             static_cast<float>(random.unit()),
                             random.unit() < 0.5 ? 1.0f : 0.0f,
                             random.unit() < 0.3 ? 1.0f : 0.0f};
    std::string bytes;
    for (float value : values) {
        const auto bits = pelorix3::bitCast<std::uint32_t>(value);
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.push_back(static_cast<char>(bits >> shift));
    }
    return bytes;
}

ShadingRecord randomSample(Random& random) {
    const base::Triple N = random.direction();
    const base::Triple position = N + random.colour(-0.5, 0.5);
    const base::Triple view = N + random.direction();
    const base::Triple source = position + view * random.between(1.0, 8.0);
    // Roughness from 0.001 to 1, squared to favour the narrow lobes.
    const double u = random.unit();
    render::ShadingSample sample;
    sample.position(position)
        .normal(N)
        .ray(source, 1.0, 1.0)
        .color(random.colour(0.0, 1.0))
        .luminous(random.unit())
        .diffuse(random.unit())
        .specular(random.unit())
        .roughness(0.001 + 0.999 * u * u);
    return sample.record();
}

// The x87 unit's control word, which the 32-bit module computes under; elsewhere nothing.
#if defined(__i386__)
constexpr bool hasX87 = true;

unsigned short x87ControlWord() {
    unsigned short word;
    asm volatile("fnstcw %0" : "=m"(word));
    return word;
}

// Sets the precision control (bits 8 and 9): 53 bits (binary 10) or 64 (binary 11).
void setX87Precision(int bits) {
    const unsigned short precision = bits == 53 ? 0x200 : 0x300;
    const unsigned short word =
        static_cast<unsigned short>((x87ControlWord() & ~0x300) | precision);
    asm volatile("fldcw %0" : : "m"(word));
}
#else
constexpr bool hasX87 = false;

unsigned short x87ControlWord() { return 0; }
void setX87Precision(int) {}
#endif

// The module file beside this program or, in WebAssembly, the module's code linked in.
base::Result<standin::ShaderModule> openModule() {
#if defined(__EMSCRIPTEN__)
    auto file = standin::ModuleFile::attach(&_mod_descrip, "the linked module");
    if (!file) return base::Result<standin::ShaderModule>::failure(file.error());
    return standin::ShaderModule::activate(std::move(file.value()), {});
#else
    return standin::ShaderModule::open(standin::defaultModulePath());
#endif
}

// The colours of every sample, three components each; empty when the module failed.
std::vector<double> shadeAll() {
    standin::Host& host = standin::Host::instance();
    host.reset();
    auto module = openModule();
    if (!module) {
        std::cerr << "sample_sweep: " << module.error() << "\n";
        return {};
    }
    auto instance = module->createInstance();
    if (!instance) return {};
    Random random;
    std::vector<double> colours;
    for (int s = 0; s < scenes; ++s) {
        addLights(host.scene(), random);
        auto stored = standin::MemoryLoadState::binary(storedParameters(random));
        if (instance->load(stored.state()) != nullptr || instance->newTime(1, 0.0) != nullptr)
            return {};
        for (int i = 0; i < samplesPerScene; ++i) {
            ShadingRecord record = randomSample(random);
            if (!instance->evaluate(record)) return {};
            colours.insert(colours.end(), record.color, record.color + 3);
        }
    }
    return colours;
}

int write(const std::string& path, const std::vector<double>& colours) {
    std::ofstream out(path);
    char line[20];
    for (std::size_t i = 0; i < colours.size(); ++i) {
        std::snprintf(
            line, sizeof line, "%016llx",
            static_cast<unsigned long long>(pelorix3::bitCast<std::uint64_t>(colours[i])));
        out << line << (i % 3 == 2 ? '\n' : ' ');
    }
    out.close();
    if (!out) {
        std::cerr << "sample_sweep: cannot write " << path << "\n";
        return 1;
    }
    return 0;
}

std::vector<double> read(const std::string& path) {
    std::ifstream in(path);
    std::vector<double> colours;
    std::string word;
    while (in >> word) colours.push_back(pelorix3::bitCast<double>(std::stoull(word, nullptr, 16)));
    return colours;
}

// Distance in units in the last place between two finite doubles of the same sign.
std::uint64_t ulps(double a, double b) {
    const auto x = pelorix3::bitCast<std::uint64_t>(a);
    const auto y = pelorix3::bitCast<std::uint64_t>(b);
    return x > y ? x - y : y - x;
}

// The exit status that tells CTest the comparison was skipped.
constexpr int kSkipped = 77;

int compare(const std::string& path, const std::vector<double>& colours) {
    if (!std::ifstream(path)) {
        std::cerr << "sample_sweep: no native colours in " << path
                  << " (run the native build's tests first): comparison skipped\n";
        return kSkipped;
    }
    const std::vector<double> other = read(path);
    if (other.size() != colours.size()) {
        std::cerr << "sample_sweep: " << path << " holds " << other.size() << " components, not "
                  << colours.size() << " (run the native build's tests first)\n";
        return 1;
    }
    int differing = 0;
    int outOfBound = 0;
    double largest = 0.0;
    std::uint64_t largestUlps = 0;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        if (pelorix3::bitCast<std::uint64_t>(colours[i]) ==
            pelorix3::bitCast<std::uint64_t>(other[i]))
            continue;
        ++differing;
        const double difference = std::fabs(colours[i] - other[i]);
        if (!(difference <= componentBound)) ++outOfBound;
        if (difference > largest) largest = difference;
        if (std::signbit(colours[i]) == std::signbit(other[i]) &&
            ulps(colours[i], other[i]) > largestUlps)
            largestUlps = ulps(colours[i], other[i]);
    }
    std::printf(
        "%d of %zu components differ, by at most %.3g (%llu units in the last place); "
        "%d beyond the bound %.3g\n",
        differing, colours.size(), largest, static_cast<unsigned long long>(largestUlps),
        outOfBound, componentBound);
    return outOfBound == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 3 || argc == 4 ? argv[1] : "";
    const std::string precision = argc == 4 ? argv[3] : "";
    if ((mode != "write" && mode != "compare") ||
        (precision != "" && precision != "53" && precision != "64")) {
        std::cerr << "usage: sample_sweep write|compare FILE [53|64]\n";
        return 2;
    }
    if (!precision.empty()) setX87Precision(std::stoi(precision));
    const unsigned short controlWord = x87ControlWord();
    if (hasX87) std::printf("x87 control word %#x\n", controlWord);
    const std::vector<double> colours = shadeAll();
    if (colours.empty()) return 1;
    if (x87ControlWord() != controlWord) {
        std::fprintf(stderr,
                     "sample_sweep: the module changed the x87 control word from %#x to %#x\n",
                     controlWord, x87ControlWord());
        return 1;
    }
    return mode == "write" ? write(argv[2], colours) : compare(argv[2], colours);
}
