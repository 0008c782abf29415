// The renderer's binary plug-in interface: every record, function table and code that
// crosses the boundary between the host and a module. Plain C-compatible declarations;
// the layouts are those of the 32-bit host, and on wider targets every pointer field is
// pointer-sized with the field order unchanged.
#ifndef PELORIX3_FRAMEWORK_HOST_INTERFACE_H
#define PELORIX3_FRAMEWORK_HOST_INTERFACE_H

#ifdef __cplusplus
extern "C" {
#endif

// ---- Common types -------------------------------------------------------------------

typedef void* HostItem;          // opaque item identifier; null means "no item"
typedef const char* HostError;   // null on success, else static message text
typedef void* HostInstance;      // a module instance as the host sees it
typedef void* (*GlobalFunc)(const char* serviceName, int use);  // use is always 0

enum HostItemType { HOST_OBJECT = 0, HOST_LIGHT = 1, HOST_CAMERA = 2, HOST_BONE = 3 };

enum HostItemParam {
    HOST_PARAM_POSITION = 1,
    HOST_PARAM_RIGHT = 2,
    HOST_PARAM_UP = 3,
    HOST_PARAM_FORWARD = 4,
    HOST_PARAM_ROTATION = 5,
    HOST_PARAM_SCALING = 6,
    HOST_PARAM_PIVOT = 7,
    HOST_PARAM_W_POSITION = 8,
    HOST_PARAM_W_RIGHT = 9,
    HOST_PARAM_W_UP = 10,
    HOST_PARAM_W_FORWARD = 11
};

// ---- Module and activation ----------------------------------------------------------

typedef int (*ActivateFunc)(long version, GlobalFunc global, void* local, void* serverData);

enum ActivateResult { AFUNC_OK = 0, AFUNC_BADVERSION = 1, AFUNC_BADGLOBAL = 2, AFUNC_BADLOCAL = 3 };

typedef struct ServerRecord {
    const char* className;   // host plug-in class, e.g. "ShaderHandler"
    const char* name;        // server name as the host shows it
    ActivateFunc activate;   // binds the server
} ServerRecord;

typedef struct ModuleDescriptor {
    unsigned int syncWord;       // 0x04121994
    unsigned int version;        // descriptor version, 2
    unsigned int machine;        // machine word, 0x300
    void* (*startup)(void);      // returns a non-null value
    void (*shutdown)(void*);     // receives the startup value
    ServerRecord* servers;       // first record; the table ends with an all-null record
} ModuleDescriptor;

#define MODULE_SYNC_WORD 0x04121994u
#define MODULE_DESCRIPTOR_VERSION 2u
#define MODULE_MACHINE_WORD 0x300u

// ---- Shading record -----------------------------------------------------------------

struct ShadingRecord;

typedef int (*IlluminateFunc)(HostItem light, const double position[3], double direction[3],
                              double color[3]);
typedef double (*RayTraceFunc)(const double position[3], const double direction[3],
                               double color[3]);
typedef double (*RayCastFunc)(const double position[3], const double direction[3]);
typedef double (*RayShadeFunc)(const double position[3], const double direction[3],
                               struct ShadingRecord* record);

typedef struct ShadingRecord {
    int sx, sy;                     // screen position
    double oPos[3];                 // object-space position
    double wPos[3];                 // world position
    double gNorm[3];                // geometric normal
    double spotSize;                // size of the sample spot
    double raySource[3];            // origin of the incoming ray
    double rayLength;               // length of the incoming ray
    double cosine;                  // cosine between ray and normal
    double oXfrm[9];                // object transform
    double wXfrm[9];                // world transform
    HostItem objID;                 // object being shaded
    int polNum;                     // polygon number
    double wNorm[3];                // shading normal (in and out)
    double color[3];                // surface colour (in and out)
    double luminous;                // the seven surface scalars (in and out)
    double diffuse;
    double specular;
    double mirror;
    double transparency;
    double eta;
    double roughness;
    IlluminateFunc illuminate;      // light arriving at a point from a light
    RayTraceFunc rayTrace;          // trace a ray, colour returned
    RayCastFunc rayCast;            // distance to the first hit
    RayShadeFunc rayShade;          // shade the first hit into a record
} ShadingRecord;

// ---- Stored data --------------------------------------------------------------------

typedef struct LoadState {
    int ioMode;                                              // 0 binary, non-zero text
    void* readData;                                          // read context
    int (*read)(void* readData, char* buffer, int maxLength); // bytes delivered or -1
} LoadState;

typedef struct SaveState {
    int ioMode;                                                   // 0 binary, non-zero text
    void* writeData;                                              // write context
    void (*write)(void* writeData, const char* bytes, int length); // stores bytes in order
} SaveState;

enum HostStorageMode { HOST_IO_BINARY = 0, HOST_IO_ASCII = 1 };

// ---- Shader handler table -----------------------------------------------------------

typedef struct ShaderHandlerTable {
    HostInstance (*create)(HostError* error);                    // 1
    void (*destroy)(HostInstance instance);                      // 2
    HostError (*copy)(HostInstance from, HostInstance to);       // 3
    HostError (*load)(HostInstance instance, const LoadState* state);  // 4
    HostError (*save)(HostInstance instance, const SaveState* state);  // 5
    HostError (*init)(HostInstance instance);                    // 6
    void (*cleanup)(HostInstance instance);                      // 7
    HostError (*newTime)(HostInstance instance, int frame, double time);  // 8
    void (*evaluate)(HostInstance instance, ShadingRecord* record);      // 9
    unsigned int (*flags)(HostInstance instance);                // 10
    const char* (*descln)(HostInstance instance);                // 11, version 2 only
} ShaderHandlerTable;

// ---- Host globals -------------------------------------------------------------------

#define HOST_MESSAGE_FUNCS "Info Messages"
#define HOST_SCENE_INFO "LW Scene Info"
#define HOST_ITEM_INFO "LW Item Info"
#define HOST_LIGHT_INFO "LW Light Info"
#define HOST_CAMERA_INFO "LW Camera Info"
#define HOST_OBJECT_INFO "LW Object Info"
#define HOST_GLOBAL_MEMORY "Global Memory"
#define HOST_RENDER_MEMORY "Global Render Memory"
#define HOST_PANEL_SERVICES "LWPanelServices"

typedef struct MessageFuncs {
    void (*info)(const char* first, const char* second);
    void (*error)(const char* first, const char* second);
    void (*warning)(const char* first, const char* second);
} MessageFuncs;

typedef struct ItemInfo {
    HostItem (*first)(int type, HostItem parent);
    HostItem (*next)(HostItem item);
    HostItem (*firstChild)(HostItem parent);
    HostItem (*nextChild)(HostItem parent, HostItem previous);
    HostItem (*parent)(HostItem item);
    HostItem (*target)(HostItem item);
    HostItem (*goal)(HostItem item);
    int (*type)(HostItem item);
    const char* (*name)(HostItem item);
    void (*param)(HostItem item, int code, double time, double vector[3]);
    unsigned int (*limits)(HostItem item, int code, double min[3], double max[3]);
} ItemInfo;

typedef struct LightInfo {
    void (*ambient)(double time, double color[3]);
    int (*type)(HostItem light);
    void (*color)(HostItem light, double time, double color[3]);
    int (*shadowType)(HostItem light);
    void (*coneAngles)(HostItem light, double* radius, double* edge);
    unsigned int (*flags)(HostItem light);
    double (*range)(HostItem light);
} LightInfo;

typedef struct CameraInfo {
    double (*zoomFactor)(HostItem camera, double time);
    double (*focalLength)(HostItem camera, double time);
    double (*focalDistance)(HostItem camera, double time);
    double (*fStop)(HostItem camera, double time);
    double (*blurLength)(HostItem camera, double time);
    void (*fovAngles)(HostItem camera, double time, double* horizontal, double* vertical);
} CameraInfo;

typedef struct ObjectInfo {
    const char* (*filename)(HostItem object);
    int (*numPoints)(HostItem object);
    int (*numPolygons)(HostItem object);
    unsigned int (*shadowOpts)(HostItem object);
    double (*dissolve)(HostItem object, double time);
} ObjectInfo;

typedef struct SceneInfo {
    const char* name;
    const char* filename;
    int numPoints;
    int numPolygons;
    int renderType;
    int renderOpts;
    int frameStart;
    int frameEnd;
    int frameStep;
    double framesPerSecond;
    int frameWidth;
    int frameHeight;
    double pixelAspect;
    int minSamplesPerPixel;
    int maxSamplesPerPixel;
    int limitedRegion[4];  // x0, y0, x1, y1
    int recursionDepth;    // ray recursion limit
} SceneInfo;

typedef void* MemoryChunk;  // address of a block's memory; null when there is none

typedef struct GlobalMemory {
    MemoryChunk (*first)(void);
    MemoryChunk (*next)(MemoryChunk chunk);
    const char* (*ID)(MemoryChunk chunk);
    int (*size)(MemoryChunk chunk);
    MemoryChunk (*find)(const char* name);
    MemoryChunk (*create)(const char* name, int size);
} GlobalMemory;

// ---- Panel services -----------------------------------------------------------------

typedef void* HostPanel;
struct HostControl;

typedef struct DisplayMetrics {
    int width, height;
    int pixX, pixY;
    int maxColors, depth;
    int textHeight, textAscent;
} DisplayMetrics;

typedef struct DrawFuncs {
    void (*drawPixel)(HostPanel panel, int color, int x, int y);
    void (*drawRGBPixel)(HostPanel panel, int r, int g, int b, int x, int y);
    void (*drawLine)(HostPanel panel, int color, int x, int y, int x2, int y2);
    void (*drawBox)(HostPanel panel, int color, int x, int y, int w, int h);
    void (*drawRGBBox)(HostPanel panel, int r, int g, int b, int x, int y, int w, int h);
    void (*drawBorder)(HostPanel panel, int indent, int x, int y, int w, int h);
    int (*textWidth)(HostPanel panel, const char* text);
    void (*drawText)(HostPanel panel, const char* text, int color, int x, int y);
    const DisplayMetrics* (*dispMetrics)(void);
} DrawFuncs;

typedef union ControlValue {
    int type;
    struct { int type; int value; int defVal; } intv;
    struct { int type; double value; double defVal; } flt;
    struct { int type; void* ptr; } ptr;
} ControlValue;

enum ControlValueType { CV_INTEGER = 2, CV_FLOAT = 3 };

typedef union ControlDesc {
    int type;
    struct { int type; int width; int min; int max; } range;
    struct { int type; int width; int height; } area;
} ControlDesc;

enum ControlDescKind { CD_BOOLEAN = 8, CD_RANGE = 15, CD_AREA = 19 };

typedef struct HostControl {
    void (*draw)(struct HostControl* control, int mode);
    void (*get)(struct HostControl* control, int tag, ControlValue* value);
    void (*set)(struct HostControl* control, int tag, ControlValue* value);
    void* priv;  // host-private data
} HostControl;

typedef struct PanelServices {
    HostPanel (*create)(const char* title, void* services);
    void (*destroy)(HostPanel panel);
    int (*open)(HostPanel panel, int flags);  // nonzero when the user confirmed
    int (*handle)(HostPanel panel, int flags);
    void (*draw)(HostPanel panel, int mode);
    void (*close)(HostPanel panel);
    void (*get)(HostPanel panel, int tag, void* value);
    void (*set)(HostPanel panel, int tag, void* value);
    HostControl* (*addControl)(HostPanel panel, const char* kind, ControlDesc* desc,
                               const char* label);
    HostControl* (*nextControl)(HostPanel panel, HostControl* control);
    DrawFuncs* drawFuncs;
    void* user_data;
    GlobalFunc globalFun;
} PanelServices;

typedef void (*PanelDrawFunc)(HostPanel panel, void* userData, int mode);
typedef void (*ControlDrawFunc)(HostControl* control, void* userData, int mode);
typedef void (*ControlEventFunc)(HostControl* control, void* userData);

enum PanelTag {
    PAN_X = 0, PAN_Y = 1, PAN_W = 2, PAN_H = 3,
    PAN_MOUSEX = 4, PAN_MOUSEY = 5, PAN_FLAGS = 6, PAN_USERDRAW = 7
};

enum ControlTag {
    CTL_X = 0, CTL_Y = 1, CTL_W = 2, CTL_H = 3, CTL_VALUE = 4,
    CTL_HOTX = 5, CTL_HOTY = 6, CTL_HOTW = 7, CTL_HOTH = 8, CTL_LABELWIDTH = 9,
    CTL_MOUSEX = 10, CTL_MOUSEY = 11, CTL_FLAGS = 12,
    CTL_USERDRAW = 13, CTL_USEREVENT = 14, CTL_LABEL = 15, CTL_USERDATA = 16
};

enum DrawMode { DR_ERASE = 0, DR_RENDER = 1, DR_GHOST = 2, DR_REFRESH = 3 };

enum PanelOpenFlags { PANF_BLOCKING = 1, PANF_CANCEL = 2, PANF_FRAME = 4 };

#ifdef __cplusplus
}
#endif

#endif
