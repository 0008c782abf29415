# Writes the page on installing the plug-in (PAGE, docs/installing.md) to OUTPUT under the
# release's name and version: the INSTALL.txt the release zip holds beside the module file.
file(READ ${PAGE} text)
string(REGEX REPLACE "^# " "" text "${text}")
file(WRITE ${OUTPUT} "pelorix3 ${VERSION}\n\n${text}")
