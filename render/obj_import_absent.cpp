// Where tinyobjloader does not exist (the WebAssembly build), the renderer reads no model
// files: a scene asked for one fails with this message, and the other subjects are made
// as everywhere else.
#include "render/obj_import.h"

namespace standin {

Result<ObjImport> importObjFile(const std::string& path, double /*creaseAngle*/) {
    return Result<ObjImport>::failure("cannot read " + path +
                                      ": this build of the renderer reads no model files");
}

}  // namespace standin
