// The module's JavaScript, with its WebAssembly inside, as the body of a function: the page
// calls it for its own instance of the module, and hands its text (the function's source)
// to its workers, which cannot load a script from the file system.
function pelorix3StudioModuleCode() {
