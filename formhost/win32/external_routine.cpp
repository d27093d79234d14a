#include "external_routine.h"

#include <vector>

namespace formhost::win32 {
namespace {

std::vector<HMODULE>& loaded_libraries() {
    static std::vector<HMODULE> libraries;
    return libraries;
}

}  // namespace

FARPROC bind_external(const wchar_t* library, const char* name) {
    HMODULE module = LoadLibraryW(library);
    if (!module) return nullptr;
    loaded_libraries().push_back(module);
    return GetProcAddress(module, name);
}

void free_external_libraries() {
    for (HMODULE module : loaded_libraries()) FreeLibrary(module);
    loaded_libraries().clear();
}

}  // namespace formhost::win32
