// Where the C++ library cannot read doubles with from_chars (the WebAssembly build), the
// renderer reads no model files: a scene asked for one fails with this message, and the
// other subjects are made as everywhere else.
#include "render/obj_import.h"

namespace standin {
namespace {

Result<ObjImport> refused(const std::string& name) {
    return Result<ObjImport>::failure("cannot read " + name +
                                      ": this build of the renderer reads no model files");
}

}  // namespace

Result<ObjImport> importObjFile(const std::string& path, double /*creaseAngle*/) {
    return refused(path);
}

Result<ObjImport> importObjText(std::string_view /*text*/, const std::string& name,
                                double /*creaseAngle*/) {
    return refused(name);
}

}  // namespace standin
