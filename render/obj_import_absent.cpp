// Where tinyobjloader does not exist (the WebAssembly build), the renderer reads no model
// files: a scene asked for one fails with this message, and the other subjects are made
// as everywhere else.
#include "render/obj_import.h"

namespace standin {
namespace {

Result<ObjImport> noModels(const std::string& name) {
    return Result<ObjImport>::failure("cannot read " + name +
                                      ": this build of the renderer reads no model files");
}

}  // namespace

Result<ObjImport> importObjFile(const std::string& path, double /*creaseAngle*/) {
    return noModels(path);
}

Result<ObjImport> importObjText(const std::string& /*text*/, const std::string& name,
                                double /*creaseAngle*/) {
    return noModels(name);
}

}  // namespace standin
