#pragma once
// A system routine that a program calls directly, bound by its export name on
// first use with the standard Windows calling convention. The library is
// freed when the program ends.

#include <windows.h>

namespace formhost::win32 {

// The routine's address, or null when the library or export is missing.
FARPROC bind_external(const wchar_t* library, const char* name);
void free_external_libraries();

template <class Signature> class ExternalRoutine;

template <class R, class... Args> class ExternalRoutine<R(Args...)> {
public:
    using Pointer = R(WINAPI*)(Args...);

    constexpr ExternalRoutine(const wchar_t* library, const char* name) : library_(library), name_(name) {}

    // A routine that cannot be bound does nothing and gives R{}.
    R operator()(Args... args) {
        if (!bound_) {
            routine_ = reinterpret_cast<Pointer>(reinterpret_cast<void*>(bind_external(library_, name_)));
            bound_ = true;
        }
        if (!routine_) return R{};
        return routine_(args...);
    }

private:
    const wchar_t* library_;
    const char* name_;
    Pointer routine_ = nullptr;
    bool bound_ = false;
};

}  // namespace formhost::win32
