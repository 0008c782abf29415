// Times the built module file against two kernels compiled here, apart from the project:
// a host of its own (lights in a ring, a point-light illumination, render memory), the
// module loaded with dlopen() (LoadLibrary() on Windows) through its descriptor, and, side
// by side in one run, the module's evaluate entry, the bare kernel (the sheen arithmetic
// inline, with only the host calls the model needs) and the floor kernel (the bare kernel
// plus the work the module's design requires around it: the record copied into a context
// and back, two blocks of nine doubles per sample, per light the five item queries and the
// nudge, and a node pushed on and popped off a guarded list around the illumination call).
//
//     time_module [--against OTHER_FILE] MODULE_FILE [ROUNDS] [LIGHTS]
//
// Prints, for 1, 4 and 16 lights (or LIGHTS alone), the median over the rounds of each
// one's time per sample, and the median of the per-round ratios entry / floor and entry /
// bare. Each round times them in turn, so that they share the machine's load alike. With
// --against, a second module file is loaded beside the first and its evaluate entry is
// timed in every round too: the last columns are its time and the median of entry / other.
#if defined(_WIN32)
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>
#include <string>
#include <vector>

#include "framework/host_interface.h"

namespace {

// ---- The host -------------------------------------------------------------------------

struct Light {
    double position[3];
    double color[3];
};

std::vector<Light> lights;
const double ambientColor[3] = {0.05, 0.05, 0.06};

HostItem lightItem(std::size_t index) { return &lights[index]; }
std::size_t lightIndex(HostItem item) { return static_cast<Light*>(item) - lights.data(); }

HostItem firstItem(int type, HostItem) {
    return type == HOST_LIGHT && !lights.empty() ? lightItem(0) : nullptr;
}
HostItem nextItem(HostItem item) {
    const std::size_t next = lightIndex(item) + 1;
    return next < lights.size() ? lightItem(next) : nullptr;
}
HostItem noItem(HostItem) { return nullptr; }
HostItem noChild(HostItem, HostItem) { return nullptr; }
int itemType(HostItem) { return HOST_LIGHT; }
const char* itemName(HostItem) { return "light"; }
unsigned int noLimits(HostItem, int, double*, double*) { return 0; }

void itemParam(HostItem item, int code, double, double vector[3]) {
    const Light& light = *static_cast<Light*>(item);
    static const double axes[4][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    if (code == HOST_PARAM_POSITION || code == HOST_PARAM_W_POSITION) {
        std::memcpy(vector, light.position, sizeof light.position);
    } else if (code >= HOST_PARAM_RIGHT && code <= HOST_PARAM_FORWARD) {
        std::memcpy(vector, axes[code - 1], sizeof axes[0]);
    }
}

ItemInfo itemInfo{firstItem, nextItem, noItem,   noChild,   noItem,  noItem,
                  noItem,    itemType, itemName, itemParam, noLimits};

void ambient(double, double color[3]) { std::memcpy(color, ambientColor, sizeof ambientColor); }
int lightType(HostItem) { return 0; }
void lightColor(HostItem item, double, double color[3]) {
    std::memcpy(color, static_cast<Light*>(item)->color, 3 * sizeof(double));
}
int shadowType(HostItem) { return 0; }
void coneAngles(HostItem, double* radius, double* edge) { *radius = *edge = 0.0; }
unsigned int lightFlags(HostItem) { return 0; }
double lightRange(HostItem) { return 1e9; }
LightInfo lightInfo{ambient, lightType, lightColor, shadowType, coneAngles, lightFlags, lightRange};

double cameraNumber(HostItem, double) { return 1.0; }
void fovAngles(HostItem, double, double* h, double* v) { *h = *v = 0.8; }
CameraInfo cameraInfo{cameraNumber, cameraNumber, cameraNumber,
                      cameraNumber, cameraNumber, fovAngles};

const char* objectFile(HostItem) { return "object.obj"; }
int objectCount(HostItem) { return 1; }
unsigned int objectShadows(HostItem) { return 7; }
double dissolve(HostItem, double) { return 0.0; }
ObjectInfo objectInfo{objectFile, objectCount, objectCount, objectShadows, dissolve};

SceneInfo sceneInfo{"scene", "scene.lws",  0, 0, 0, 0, 1, 1, 1, 30.0, 640, 480, 1.0, 1,
                    1,       {0, 0, 0, 0}, 16};

void message(const char*, const char*) {}
MessageFuncs messageFuncs{message, message, message};

// Named blocks of memory, found again by name.
struct Block {
    std::string name;
    std::vector<char> bytes;
};
std::vector<Block*> blocks;

MemoryChunk firstChunk() { return nullptr; }
MemoryChunk nextChunk(MemoryChunk) { return nullptr; }
const char* chunkName(MemoryChunk) { return ""; }
int chunkSize(MemoryChunk) { return 0; }
MemoryChunk findChunk(const char* name) {
    for (Block* block : blocks)
        if (block->name == name) return block->bytes.data();
    return nullptr;
}
MemoryChunk createChunk(const char* name, int size) {
    blocks.push_back(new Block{name, std::vector<char>(static_cast<std::size_t>(size), 0)});
    return blocks.back()->bytes.data();
}
GlobalMemory memory{firstChunk, nextChunk, chunkName, chunkSize, findChunk, createChunk};

void* global(const char* name, int) {
    const std::string service = name;
    if (service == HOST_MESSAGE_FUNCS) return &messageFuncs;
    if (service == HOST_SCENE_INFO) return &sceneInfo;
    if (service == HOST_ITEM_INFO) return &itemInfo;
    if (service == HOST_LIGHT_INFO) return &lightInfo;
    if (service == HOST_CAMERA_INFO) return &cameraInfo;
    if (service == HOST_OBJECT_INFO) return &objectInfo;
    if (service == HOST_GLOBAL_MEMORY || service == HOST_RENDER_MEMORY) return &memory;
    return nullptr;  // no panel services: nothing here opens a panel
}

// A point light without shadows: the direction from the light to the point, the light's
// colour falling off with the square of the distance.
int illuminate(HostItem item, const double position[3], double direction[3], double color[3]) {
    const Light& light = *static_cast<Light*>(item);
    double d[3];
    double squared = 0.0;
    for (int i = 0; i < 3; ++i) {
        d[i] = position[i] - light.position[i];
        squared += d[i] * d[i];
    }
    const double length = std::sqrt(squared);
    for (int i = 0; i < 3; ++i) {
        direction[i] = d[i] / length;
        color[i] = light.color[i] / squared;
    }
    return 1;
}

// `count` lights in a ring around and above the sample, together as bright as one.
void placeLights(int count) {
    lights.assign(static_cast<std::size_t>(count), Light{});
    for (int i = 0; i < count; ++i) {
        const double angle = 6.283185307179586 * i / count;
        lights[static_cast<std::size_t>(i)] = {{3.0 * std::cos(angle), 2.5, 3.0 * std::sin(angle)},
                                               {1.0 / count, 0.9 / count, 0.8 / count}};
    }
}

ShadingRecord sampleRecord() {
    ShadingRecord record{};
    const double normal[3] = {0.0, 0.8, 0.6};
    const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    record.sx = 10;
    record.sy = 20;
    record.raySource[2] = -5.0;
    record.rayLength = 5.0;
    record.cosine = 0.6;
    record.spotSize = 0.001;
    std::memcpy(record.wNorm, normal, sizeof normal);
    std::memcpy(record.gNorm, normal, sizeof normal);
    std::memcpy(record.oXfrm, identity, sizeof identity);
    std::memcpy(record.wXfrm, identity, sizeof identity);
    record.color[0] = 0.6;
    record.color[1] = 0.1;
    record.color[2] = 0.2;
    record.diffuse = 1.0;
    record.specular = 0.7;
    record.roughness = 0.015625;
    record.illuminate = illuminate;
    return record;
}

// ---- The kernels: the module's defaults, the sheen arithmetic written inline ----------

struct V {
    double x, y, z;
};
inline V operator+(V a, V b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline V operator-(V a, V b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline V operator*(V a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline V operator*(V a, V b) { return {a.x * b.x, a.y * b.y, a.z * b.z}; }
inline double dot(V a, V b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline V cross(V a, V b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline V load(const double v[3]) { return {v[0], v[1], v[2]}; }
inline V normalized(V v) {
    const double length = std::sqrt(dot(v, v));
    return length > 0.0 ? v * (1.0 / length) : V{0.0, 1.0, 0.0};
}
inline double atLeastZero(double v) { return v > 0.0 ? v : 0.0; }
inline double atMostOne(double v) { return v > 1.0 || std::isnan(v) ? 1.0 : v; }

constexpr double density = 1.0;
constexpr double transparency = 0.33;

struct Surface {
    V position, normal, raySource, color;
    double luminous, diffuse, specular, roughness;
};

// The five item queries, the nudge, the illumination call and the model's terms per light.
template <class Illuminate>
V sheen(const Surface& s, Illuminate illuminateLight) {
    const V N = s.normal;
    const double e = 0.015625 / s.roughness;
    const double r = std::sqrt(e);
    const V view = normalized(s.raySource - s.position);
    V S{0, 0, 0}, B{0, 0, 0};
    double direction[3] = {0, 0, 0};
    double arriving[3] = {0, 0, 0};
    for (HostItem light = itemInfo.first(HOST_LIGHT, nullptr); light;
         light = itemInfo.next(light)) {
        double position[3], world[3], forward[3], right[3], up[3];
        itemInfo.param(light, HOST_PARAM_POSITION, 0.0, position);
        itemInfo.param(light, HOST_PARAM_W_POSITION, 0.0, world);
        itemInfo.param(light, HOST_PARAM_FORWARD, 0.0, forward);
        itemInfo.param(light, HOST_PARAM_RIGHT, 0.0, right);
        itemInfo.param(light, HOST_PARAM_UP, 0.0, up);
        const V P = s.position + normalized(load(world) - s.position) * 1e-7;
        const double point[3] = {P.x, P.y, P.z};
        illuminateLight(light, point, direction, arriving);
        V K = load(arriving);
        const V L = load(direction) * -1.0;
        const V T_L = cross(N, cross(L, N));
        const V H = normalized(view + L);
        const V T_H = cross(N, cross(H, N));
        K = K * (1.0 - std::pow(1.0 - atLeastZero(dot(L, N) - 0.2), 3.0));
        const double A = transparency * atLeastZero(dot(view, N));
        S = S + K * (std::pow(atLeastZero(dot(H, T_H)), e) * density * r);
        B = B + K * (density * atLeastZero(dot(T_L, L)) + A * atLeastZero(dot(L, N)));
    }
    B = B + load(ambientColor);
    const V R = S * s.specular + (B * s.color) * s.diffuse + s.color * s.luminous;
    return {atMostOne(R.x), atMostOne(R.y), atMostOne(R.z)};
}

[[gnu::noinline]] void bareKernel(ShadingRecord& record) {
    const Surface s{load(record.wPos),  load(record.wNorm), load(record.raySource),
                    load(record.color), record.luminous,    record.diffuse,
                    record.specular,    record.roughness};
    const V R = sheen(s, [&record](HostItem light, const double* p, double* d, double* c) {
        record.illuminate(light, p, d, c);
    });
    record.color[0] = R.x;
    record.color[1] = R.y;
    record.color[2] = R.z;
    record.luminous = 1.0;
    record.diffuse = 0.0;
    record.specular = 0.0;
}

struct Node {
    Node* next;
    void* caller;
    std::int32_t kind, reserved;
    V position, direction;
    HostItem item;
    const char* tag;
};

struct alignas(64) ListHead {
    std::int32_t busy, count;
    Node* first;
    Node* last;
} listHead{};

class Guard {
public:
    explicit Guard(std::int32_t& busy) : busy_(busy) {
        for (;;) {
            while (busy_.load(std::memory_order_relaxed) != 0) __builtin_ia32_pause();
            std::int32_t expected = 0;
            if (busy_.compare_exchange_weak(expected, 1, std::memory_order_acquire)) return;
        }
    }
    ~Guard() { busy_.fetch_sub(1, std::memory_order_release); }

private:
    std::atomic_ref<std::int32_t> busy_;
};

void push(Node* node) {
    Guard guard(listHead.busy);
    ++listHead.count;
    (listHead.last ? listHead.last->next : listHead.first) = node;
    listHead.last = node;
}

void pop(Node* node) {
    Guard guard(listHead.busy);
    Node* previous = nullptr;
    for (Node* n = listHead.first; n; previous = n, n = n->next) {
        if (n != node) continue;
        (previous ? previous->next : listHead.first) = n->next;
        if (listHead.last == n) listHead.last = previous;
        --listHead.count;
        return;
    }
}

// The record's fields as the module's sample context holds them.
struct Context {
    void* reserved = nullptr;
    void* respondingServer = nullptr;
    ShadingRecord* record;
    int sx, sy;
    V objectPosition, worldPosition, geometricNormal;
    double spotSize;
    V raySource;
    double rayLength, cosine;
    double* objectTransform;
    double* worldTransform;
    HostItem objectId;
    int polygon;
    V normal, color;
    double luminous, diffuse, specular, mirror, transparency, eta, roughness;

    explicit Context(ShadingRecord& r)
        : record(&r),
          sx(r.sx),
          sy(r.sy),
          objectPosition(load(r.oPos)),
          worldPosition(load(r.wPos)),
          geometricNormal(load(r.gNorm)),
          spotSize(r.spotSize),
          raySource(load(r.raySource)),
          rayLength(r.rayLength),
          cosine(r.cosine),
          objectTransform(new (std::nothrow) double[9]),
          worldTransform(new (std::nothrow) double[9]),
          objectId(r.objID),
          polygon(r.polNum),
          normal(load(r.wNorm)),
          color(load(r.color)),
          luminous(r.luminous),
          diffuse(r.diffuse),
          specular(r.specular),
          mirror(r.mirror),
          transparency(r.transparency),
          eta(r.eta),
          roughness(r.roughness) {
        if (objectTransform) std::memcpy(objectTransform, r.oXfrm, sizeof r.oXfrm);
        if (worldTransform) std::memcpy(worldTransform, r.wXfrm, sizeof r.wXfrm);
    }
    ~Context() {
        delete[] objectTransform;
        delete[] worldTransform;
    }
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    void copyOut() const {
        std::memcpy(record->wNorm, &normal, sizeof record->wNorm);
        record->color[0] = color.x;
        record->color[1] = color.y;
        record->color[2] = color.z;
        record->luminous = luminous;
        record->diffuse = diffuse;
        record->specular = specular;
        record->mirror = mirror;
        record->transparency = transparency;
        record->eta = eta;
        record->roughness = roughness;
    }
};

[[gnu::noinline]] void floorKernel(ShadingRecord& record) {
    Context context(record);
    const Surface s{context.worldPosition, context.normal,  context.raySource, context.color,
                    context.luminous,      context.diffuse, context.specular,  context.roughness};
    context.color = sheen(s, [&context](HostItem light, const double* p, double* d, double* c) {
        Node node{nullptr, &context, 2, 0, load(p), load(d), light, ""};
        push(&node);
        context.record->illuminate(light, p, d, c);
        pop(&node);
    });
    context.luminous = 1.0;
    context.diffuse = 0.0;
    context.specular = 0.0;
    context.copyOut();
}

// ---- The module -----------------------------------------------------------------------

struct Module {
    ShaderHandlerTable table{};
    HostInstance instance = nullptr;
};

// The module file's descriptor, or null with the reason in `error`.
ModuleDescriptor* loadDescriptor(const char* path, std::string& error) {
#if defined(_WIN32)
    HMODULE library = LoadLibraryA(path);
    if (!library) {
        error = "LoadLibrary failed, error " + std::to_string(GetLastError());
        return nullptr;
    }
    return reinterpret_cast<ModuleDescriptor*>(GetProcAddress(library, "_mod_descrip"));
#else
    void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        error = dlerror();
        return nullptr;
    }
    return static_cast<ModuleDescriptor*>(dlsym(library, "_mod_descrip"));
#endif
}

bool openModule(const char* path, Module& module, std::string& error) {
    ModuleDescriptor* descriptor = loadDescriptor(path, error);
    if (!error.empty()) return false;
    if (!descriptor || descriptor->syncWord != MODULE_SYNC_WORD) {
        error = "no module descriptor";
        return false;
    }
    descriptor->startup();
    for (ServerRecord* server = descriptor->servers; server->className; ++server) {
        if (std::strcmp(server->className, "ShaderHandler") != 0) continue;
        if (server->activate(2, global, &module.table, nullptr) != AFUNC_OK) break;
        module.instance = module.table.create(nullptr);
        if (module.instance && !module.table.newTime(module.instance, 1, 0.0)) return true;
    }
    error = "the shader could not be activated, created and started";
    return false;
}

Module module;
Module other;

[[gnu::noinline]] void moduleEntry(ShadingRecord& record) {
    module.table.evaluate(module.instance, &record);
}

[[gnu::noinline]] void otherEntry(ShadingRecord& record) {
    other.table.evaluate(other.instance, &record);
}

// ---- Timing ---------------------------------------------------------------------------

// The processor time of this thread: time other programs take from the cores does not
// count, so the figures move less with the machine's load. On Windows the wall clock:
// Wine counts a thread's processor time in steps of 10 ms, too coarse for a round.
double threadNanoseconds() {
#if defined(_WIN32)
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1e9 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
#else
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return 1e9 * static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec);
#endif
}

template <class Shade>
double nanosecondsPerSample(Shade shade, int samples) {
    const ShadingRecord fresh = sampleRecord();
    ShadingRecord record = fresh;
    const double start = threadNanoseconds();
    for (int i = 0; i < samples; ++i) {
        record = fresh;
        shade(record);
        asm volatile("" : : "r"(record.color) : "memory");
    }
    return (threadNanoseconds() - start) / samples;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double largestDifference(const double a[3], const double b[3]) {
    double largest = 0.0;
    for (int i = 0; i < 3; ++i) largest = std::max(largest, std::fabs(a[i] - b[i]));
    return largest;
}

}  // namespace

int main(int argc, char** argv) {
    const char* otherPath = nullptr;
    if (argc > 2 && std::strcmp(argv[1], "--against") == 0) {
        otherPath = argv[2];
        argc -= 2;
        argv += 2;
    }
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: time_module [--against OTHER_FILE] MODULE_FILE [ROUNDS] [LIGHTS]\n");
        return 2;
    }
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
    std::vector<int> lightCounts{1, 4, 16};
    if (argc > 3) lightCounts = {std::max(1, std::atoi(argv[3]))};
    std::string error;
    placeLights(1);
    const auto open = [&error](const char* path, Module& opened) {
        if (openModule(path, opened, error)) return true;
        std::fprintf(stderr, "%s: %s\n", path, error.c_str());
        return false;
    };
    if (!open(argv[1], module) || (otherPath && !open(otherPath, other))) return 1;
    std::printf("%-6s %12s %12s %12s %13s %12s %10s", "lights", "entry ns", "floor ns", "bare ns",
                "entry/floor", "entry/bare", "|entry-floor|");
    if (otherPath) std::printf(" %12s %12s %10s", "other ns", "entry/other", "|entry-other|");
    std::printf("\n");
    for (int count : lightCounts) {
        placeLights(count);
        // They all compute the same colour: the kernels do the module's work.
        ShadingRecord a = sampleRecord(), b = sampleRecord(), c = sampleRecord();
        moduleEntry(a);
        floorKernel(b);
        if (otherPath) otherEntry(c);
        const int samples = 400000 / (count + 2);
        std::vector<double> entryTimes, floorTimes, bareTimes, otherTimes, toFloor, toBare, toOther;
        for (int round = 0; round < rounds; ++round) {
            entryTimes.push_back(nanosecondsPerSample(moduleEntry, samples));
            floorTimes.push_back(nanosecondsPerSample(floorKernel, samples));
            bareTimes.push_back(nanosecondsPerSample(bareKernel, samples));
            toFloor.push_back(entryTimes.back() / floorTimes.back());
            toBare.push_back(entryTimes.back() / bareTimes.back());
            if (!otherPath) continue;
            otherTimes.push_back(nanosecondsPerSample(otherEntry, samples));
            toOther.push_back(entryTimes.back() / otherTimes.back());
        }
        std::printf("%-6d %12.1f %12.1f %12.1f %13.3f %12.3f %10.1e", count, median(entryTimes),
                    median(floorTimes), median(bareTimes), median(toFloor), median(toBare),
                    largestDifference(a.color, b.color));
        if (otherPath)
            std::printf(" %12.1f %12.3f %10.1e", median(otherTimes), median(toOther),
                        largestDifference(a.color, c.color));
        std::printf("\n");
    }
    return 0;
}
