#include "formhost/win32/routines/external_routine.h"

#include <vector>

#include "formhost/win32/system/owners.h"

namespace formhost::win32 {
namespace {

std::vector<UniqueLibrary>& loaded_libraries() {
    static std::vector<UniqueLibrary> libraries;
    return libraries;
}

}  // namespace

FARPROC bind_external(const wchar_t* library, const char* name) {
    UniqueLibrary module(LoadLibraryW(library));
    if (!module) return nullptr;
    const FARPROC routine = GetProcAddress(module.get(), name);
    loaded_libraries().push_back(std::move(module));
    return routine;
}

void free_external_libraries() { loaded_libraries().clear(); }

}  // namespace formhost::win32
