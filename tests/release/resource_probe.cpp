// Reads what Windows itself shows of a program file, through the calls
// Explorer and the window class use, and prints it as UTF-8 lines for the
// release test to compare: version information and icons.
//
//   resource_probe <program.exe>
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

void say(const std::wstring& line) {
    const std::wstring text = line + L"\n";
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    std::fwrite(out.data(), 1, out.size(), stdout);
}

std::wstring hex4(unsigned v) {
    wchar_t b[8];
    swprintf(b, 8, L"%04x", v & 0xFFFF);
    return b;
}

// The icon's bitmap size and whether its colour bitmap has any alpha.
std::wstring describe(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return L"none";
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    bool alpha = false;
    if (colour.bmBitsPixel == 32) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = colour.bmWidth;
        bi.bmiHeader.biHeight = colour.bmHeight;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        std::vector<unsigned char> px(static_cast<std::size_t>(colour.bmWidth) * colour.bmHeight * 4);
        HDC dc = GetDC(nullptr);
        GetDIBits(dc, info.hbmColor, 0, colour.bmHeight, px.data(), &bi, DIB_RGB_COLORS);
        ReleaseDC(nullptr, dc);
        for (std::size_t i = 3; i < px.size(); i += 4) alpha = alpha || (px[i] != 0 && px[i] != 255);
    }
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return std::to_wstring(colour.bmWidth) + L"x" + std::to_wstring(colour.bmHeight) + L" " +
           std::to_wstring(colour.bmBitsPixel) + L"bpp" + (alpha ? L" alpha" : L"");
}

int info(const wchar_t* path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    if (size == 0) {
        say(L"version none");
    } else {
        std::vector<unsigned char> block(size);
        GetFileVersionInfoW(path, 0, size, block.data());
        void* p = nullptr;
        UINT len = 0;
        if (VerQueryValueW(block.data(), L"\\", &p, &len) && len >= sizeof(VS_FIXEDFILEINFO)) {
            const auto* f = static_cast<const VS_FIXEDFILEINFO*>(p);
            auto dotted = [](DWORD ms, DWORD ls) {
                return std::to_wstring(HIWORD(ms)) + L"." + std::to_wstring(LOWORD(ms)) + L"." +
                       std::to_wstring(HIWORD(ls)) + L"." + std::to_wstring(LOWORD(ls));
            };
            say(L"fixed file " + dotted(f->dwFileVersionMS, f->dwFileVersionLS) + L" product " +
                dotted(f->dwProductVersionMS, f->dwProductVersionLS) + L" type " + std::to_wstring(f->dwFileType));
        }
        if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &p, &len) && len >= 4) {
            const auto* t = static_cast<const WORD*>(p);
            say(L"translation " + hex4(t[0]) + hex4(t[1]));
            const std::wstring base = L"\\StringFileInfo\\" + hex4(t[0]) + hex4(t[1]) + L"\\";
            for (const wchar_t* name : {L"CompanyName", L"FileDescription", L"FileVersion", L"InternalName",
                                        L"LegalCopyright", L"OriginalFilename", L"ProductName", L"ProductVersion"}) {
                wchar_t* value = nullptr;
                if (VerQueryValueW(block.data(), (base + name).c_str(), reinterpret_cast<void**>(&value), &len))
                    say(std::wstring(L"string ") + name + L"=" + std::wstring(value, len ? len - 1 : 0));
            }
        }
    }

    // What Explorer counts and draws.
    say(L"icon count " + std::to_wstring(ExtractIconExW(path, -1, nullptr, nullptr, 0)));
    HICON large = nullptr, small = nullptr;
    ExtractIconExW(path, 0, &large, &small, 1);
    say(L"extract large " + describe(large) + L", small " + describe(small));
    if (large) DestroyIcon(large);
    if (small) DestroyIcon(small);

    // What the window class gets: LoadIconW(module, 1), and each size the
    // group offers.
    HMODULE module = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    say(L"load icon 1 " + describe(LoadIconW(module, MAKEINTRESOURCEW(1))));
    for (int want : {16, 32, 48, 256}) {
        HICON icon = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, want, want, 0));
        say(L"load image " + std::to_wstring(want) + L" " + describe(icon));
        if (icon) DestroyIcon(icon);
    }
    if (module) FreeLibrary(module);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: resource_probe <program.exe>\n");
        return 2;
    }
    return info(argv[1]);
}
