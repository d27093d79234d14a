#include "window_icon.h"

#include "formhost/core/media/icon.h"

namespace formhost::win32 {
namespace {

UniqueIcon icon_at(const media::IconResource& r, int width, int height) {
    // The system scales the chosen entry to the size asked for.
    return UniqueIcon(CreateIconFromResourceEx(const_cast<BYTE*>(r.bytes.data()), static_cast<DWORD>(r.bytes.size()),
                                               TRUE, 0x00030000, width, height, LR_DEFAULTCOLOR));
}

}  // namespace

void WindowIcons::apply(HWND hwnd, ByteView icon_file) {
    UniqueIcon large, small;
    if (const auto resource = media::icon_resource(icon_file)) {
        large = icon_at(*resource, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
        small = icon_at(*resource, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
    }
    // A null icon makes the window fall back on its class's icon.
    SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large.get()));
    SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    // The old icons go only now that the window no longer shows them.
    large_ = std::move(large);
    small_ = std::move(small);
}

}  // namespace formhost::win32
