#include "formhost/win32/program/form_resource.h"

#include <windows.h>

namespace formhost::win32 {

std::optional<ByteView> embedded_form_block() {
    HRSRC found = FindResourceW(nullptr, L"FORMBLOCK", RT_RCDATA);
    if (!found) return std::nullopt;
    HGLOBAL loaded = LoadResource(nullptr, found);
    const DWORD size = SizeofResource(nullptr, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return std::nullopt;
    return ByteView(static_cast<const std::uint8_t*>(data), size);
}

}  // namespace formhost::win32
