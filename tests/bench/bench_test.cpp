// Checks that the wine bench delivers what the program tests rely on: code
// pages that follow the session locale, the Kai font behind the face 楷体, a
// sound device whose output lands byte for byte in a capture file, and the
// recorder standing in for the shell's address handler and for the browser.
#include <windows.h>
// after windows.h, which they depend on
#include <mmsystem.h>
#include <objbase.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "bench_env.h"
#include "formhost/win32/system/owners.h"
#include "support/waiting.h"

namespace {

using formhost::win32::MemoryDC;
using formhost::win32::SelectObjectScope;
using formhost::win32::UniqueFont;
using test_support::pump_messages_until;

// Deadlines in milliseconds of GetTickCount64 (<chrono> does not compile
// with the project's GBK execution character set).
bool before(ULONGLONG deadline) { return GetTickCount64() < deadline; }
ULONGLONG after_ms(ULONGLONG ms) { return GetTickCount64() + ms; }

std::string utf8(const std::wstring& s) {
    if (s.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring env(const wchar_t* name) {
    wchar_t buf[256];
    const DWORD n = GetEnvironmentVariableW(name, buf, 256);
    return n > 0 && n < 256 ? std::wstring(buf, n) : std::wstring();
}

// Whole file, or nullopt-like empty with ok=false when it cannot be opened
// (not there yet, or still being created).
bool read_file(const std::wstring& path, std::string& out) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    out.clear();
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
    CloseHandle(h);
    return true;
}

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t i = 0; i <= s.size(); ++i) {
        if (i == s.size() || s[i] == sep) {
            if (i > start || i < s.size()) parts.push_back(s.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

// ---------------------------------------------------------------------------

TEST(CodePage, AnsiAndOemFollowTheSessionLocale) {
    const std::wstring want = env(L"BENCH_EXPECT_ACP");
    const UINT expected = want.empty() ? 936u : static_cast<UINT>(std::stoul(want));
    const UINT acp = GetACP();
    const UINT oem = GetOEMCP();
    std::printf("LANG=%s GetACP()=%u GetOEMCP()=%u (expected ANSI %u)\n", utf8(env(L"LANG")).c_str(), acp, oem,
                expected);
    EXPECT_EQ(acp, expected);
    if (expected == 936) {
        EXPECT_EQ(oem, 936u);
    } else {
        EXPECT_NE(oem, 936u);
    }
}

// ---------------------------------------------------------------------------

// Family names (name ID 1, Windows platform) in the selected font's own
// 'name' table: tells the font file really used, whatever face was asked for.
std::vector<std::wstring> family_names(HDC dc) {
    constexpr DWORD kName = 'n' | 'a' << 8 | 'm' << 16 | 'e' << 24;
    const DWORD size = GetFontData(dc, kName, 0, nullptr, 0);
    if (size == GDI_ERROR || size < 6) return {};
    std::vector<uint8_t> t(size);
    GetFontData(dc, kName, 0, t.data(), size);
    auto u16 = [&](size_t at) -> unsigned { return at + 1 < t.size() ? t[at] << 8 | t[at + 1] : 0; };
    std::vector<std::wstring> names;
    const unsigned count = u16(2), strings = u16(4);
    for (unsigned i = 0; i < count; ++i) {
        const size_t rec = 6 + 12 * size_t{i};
        if (u16(rec) != 3 || u16(rec + 6) != 1) continue;
        const size_t len = u16(rec + 8), at = strings + u16(rec + 10);
        std::wstring name;
        for (size_t k = 0; k + 1 < len; k += 2) name += static_cast<wchar_t>(u16(at + k));
        names.push_back(name);
    }
    return names;
}

TEST(Fonts, KaiFaceIsTheArPlUKaiFont) {
    const MemoryDC memory;
    const HDC dc = memory.get();
    ASSERT_NE(dc, nullptr);
    LOGFONTW lf{};
    lf.lfHeight = -48;
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(lf.lfFaceName, L"楷体");
    const UniqueFont font(CreateFontIndirectW(&lf));
    ASSERT_NE(font.get(), nullptr);
    const SelectObjectScope selected(dc, font.get());

    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    std::printf("GetTextFaceW: %s\n", utf8(face).c_str());
    EXPECT_EQ(std::wstring(face), L"楷体");

    std::string families;
    bool ukai = false;
    for (const auto& name : family_names(dc)) {
        families += " [" + utf8(name) + "]";
        ukai = ukai || name == L"AR PL UKai CN";
    }
    std::printf("font file families:%s\n", families.c_str());
    EXPECT_TRUE(ukai) << "the face is served by another font than AR PL UKai CN";

    TEXTMETRICW tm{};
    ASSERT_TRUE(GetTextMetricsW(dc, &tm));
    // An ideograph exists in the font and is a full em wide.
    WORD glyph = 0;
    GetGlyphIndicesW(dc, L"永", 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS);
    SIZE ideograph{};
    GetTextExtentPoint32W(dc, L"永", 1, &ideograph);
    SIZE latin{};
    GetTextExtentPoint32W(dc, L"n", 1, &latin);
    std::printf("charset=%u height=%ld ascent=%ld glyph(U+6C38)=%u extent(U+6C38)=%ldx%ld extent(n)=%ld\n",
                tm.tmCharSet, tm.tmHeight, tm.tmAscent, glyph, ideograph.cx, ideograph.cy, latin.cx);
    EXPECT_NE(glyph, 0xFFFF);
    EXPECT_NE(glyph, 0);
    EXPECT_NEAR(ideograph.cx, 48, 3);
    EXPECT_LT(latin.cx, ideograph.cx);
}

// ---------------------------------------------------------------------------

std::vector<std::wstring> list_files(const std::wstring& dir, const std::wstring& pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((dir + L'\\' + pattern).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(fd.cFileName);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return names;
}

// The bytes between the first and the last non-zero byte.
std::string without_silence_around(const std::string& bytes) {
    const auto first = bytes.find_first_not_of('\0');
    if (first == std::string::npos) return {};
    return bytes.substr(first, bytes.find_last_not_of('\0') - first + 1);
}

TEST(Sound, PlayedPcmLandsUnchangedInTheCaptureFile) {
    const std::wstring dir = bench::path_from_env(L"BENCH_CAPTURE_DIR");
    if (dir.empty()) GTEST_SKIP() << "BENCH_CAPTURE_DIR unset: no bench session running";

    const UINT devices = waveOutGetNumDevs();
    std::printf("waveOutGetNumDevs()=%u\n", devices);
    ASSERT_GE(devices, 1u);

    for (const auto& name : list_files(dir, L"capture_*")) DeleteFileW((dir + L'\\' + name).c_str());

    // 0.2 s of a 440 Hz sine, 22050 Hz mono 16-bit.
    constexpr DWORD kRate = 22050;
    std::vector<int16_t> pcm(kRate / 5);
    for (size_t i = 0; i < pcm.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        pcm[i] = static_cast<int16_t>(std::lround(12000 * std::sin(2 * std::numbers::pi * 440 * t)));
    }
    WAVEFORMATEX fmt{};
    fmt.wFormatTag = WAVE_FORMAT_PCM;
    fmt.nChannels = 1;
    fmt.nSamplesPerSec = kRate;
    fmt.wBitsPerSample = 16;
    fmt.nBlockAlign = 2;
    fmt.nAvgBytesPerSec = kRate * 2;

    HANDLE done = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HWAVEOUT out = nullptr;
    MMRESULT r = waveOutOpen(&out, WAVE_MAPPER, &fmt, reinterpret_cast<DWORD_PTR>(done), 0, CALLBACK_EVENT);
    std::printf("waveOutOpen=%u\n", r);
    ASSERT_EQ(r, MMSYSERR_NOERROR);
    WAVEHDR hdr{};
    hdr.lpData = reinterpret_cast<LPSTR>(pcm.data());
    hdr.dwBufferLength = static_cast<DWORD>(pcm.size() * sizeof pcm[0]);
    ASSERT_EQ(waveOutPrepareHeader(out, &hdr, sizeof hdr), MMSYSERR_NOERROR);
    ASSERT_EQ(waveOutWrite(out, &hdr, sizeof hdr), MMSYSERR_NOERROR);
    for (const auto deadline = after_ms(10000); !(hdr.dwFlags & WHDR_DONE) && before(deadline);) {
        WaitForSingleObject(done, 100);
    }
    std::printf("WHDR_DONE=%s\n", hdr.dwFlags & WHDR_DONE ? "yes" : "no");
    EXPECT_TRUE(hdr.dwFlags & WHDR_DONE);
    waveOutReset(out);
    waveOutUnprepareHeader(out, &hdr, sizeof hdr);
    EXPECT_EQ(waveOutClose(out), MMSYSERR_NOERROR);
    CloseHandle(done);

    // The device writes the file as it plays; wait until all of it is there.
    const std::string want(reinterpret_cast<const char*>(pcm.data()), hdr.dwBufferLength);
    std::vector<std::wstring> names;
    std::string got;
    pump_messages_until(
        [&] {
            names = list_files(dir, L"capture_*");
            return names.size() == 1 && read_file(dir + L'\\' + names[0], got) &&
                   without_silence_around(got).size() >= without_silence_around(want).size();
        },
        5000, 50);
    for (const auto& name : names) std::printf("capture file: %s\n", utf8(name).c_str());
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], L"capture_22050_1_S16_LE.raw") << "the device did not get the format played";
    const auto lead = got.find_first_not_of('\0'), tail = got.size() - 1 - got.find_last_not_of('\0');
    std::printf("captured %zu bytes (zero bytes: %zu before, %zu after), played %zu\n", got.size(),
                lead == std::string::npos ? got.size() : lead, lead == std::string::npos ? 0 : tail, want.size());
    // On a slow machine (the emulated 32-bit PC) the driver feeds the device
    // silence while it waits for the first buffer or after the last: what was
    // played must be there whole and unchanged, with only silence around it.
    EXPECT_TRUE(without_silence_around(got) == without_silence_around(want))
        << "captured bytes differ from the PCM played";
}

// ---------------------------------------------------------------------------

// Each test starts and ends without recorder logs of its own.
class Recorder : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = bench::path_from_env(L"BENCH_RECORD_DIR");
        if (dir_.empty()) GTEST_SKIP() << "BENCH_RECORD_DIR unset: no bench session running";
        Clean();
    }
    void TearDown() override {
        if (!dir_.empty()) Clean();
    }
    void Clean() {
        DeleteFileW(Log(L"recorder").c_str());
        DeleteFileW(Log(L"iexplore").c_str());
    }
    std::wstring Log(const wchar_t* program) const { return dir_ + L'\\' + program + L".log"; }

    // Lines of the log once it holds `count` of them, or what it holds when
    // the deadline passes.
    std::vector<std::string> WaitForLines(const wchar_t* program, size_t count) const {
        std::vector<std::string> lines;
        pump_messages_until(
            [&] {
                std::string text;
                read_file(Log(program), text);
                lines = split(text, '\n');
                return lines.size() >= count;
            },
            20000, 50);
        for (const auto& line : lines) std::printf("%s.log: %s\n", utf8(program).c_str(), line.substr(0, 120).c_str());
        return lines;
    }

    std::wstring dir_;
};

TEST_F(Recorder, ShellOpenOfAnAddressStartsTheRecorder) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", L"http://example.com/x", nullptr, nullptr, SW_SHOWNORMAL));
    std::printf("ShellExecuteW=%lld\n", static_cast<long long>(result));
    EXPECT_GT(result, 32);
    // ShellExecute returns before the handler has run.
    EXPECT_EQ(WaitForLines(L"recorder", 1), std::vector<std::string>{"http://example.com/x"});
    CoUninitialize();
}

// Starts `command` and waits for it to end; its exit code, or -1.
long long run(std::wstring command) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::printf("CreateProcessW failed: %lu\n", GetLastError());
        return -1;
    }
    DWORD code = 0;
    const bool ended = WaitForSingleObject(pi.hProcess, 20000) == WAIT_OBJECT_0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ended ? code : -1;
}

TEST_F(Recorder, StartedBrowserIsTheRecorder) {
    const long long code = run(LR"("C:\Program Files\Internet Explorer\iexplore.exe" http://example.com/a)");
    std::printf("iexplore exit code=%lld\n", code);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(WaitForLines(L"iexplore", 1), std::vector<std::string>{"http://example.com/a"});
}

TEST_F(Recorder, ArgumentsAreUtf8AndRecordersStartedTogetherWriteWholeLines) {
    // Long lines make interleaved writes visible as mixed letters.
    constexpr int kRecorders = 6;
    std::vector<HANDLE> started;
    for (int i = 0; i < kRecorders; ++i) {
        std::wstring command = LR"(C:\bench\recorder.exe "演示 文稿" )";
        command += std::wstring(4000, static_cast<wchar_t>(L'a' + i));
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            << GetLastError();
        CloseHandle(pi.hThread);
        started.push_back(pi.hProcess);
    }
    WaitForMultipleObjects(kRecorders, started.data(), TRUE, 20000);
    for (HANDLE h : started) CloseHandle(h);

    const auto lines = WaitForLines(L"recorder", kRecorders);
    ASSERT_EQ(lines.size(), size_t{kRecorders});
    std::string seen;
    for (const auto& line : lines) {
        const auto fields = split(line, '\t');
        ASSERT_EQ(fields.size(), 2u) << line.substr(0, 80);
        EXPECT_EQ(fields[0], "\xE6\xBC\x94\xE7\xA4\xBA \xE6\x96\x87\xE7\xA8\xBF");  // 演示 文稿
        EXPECT_EQ(fields[1], std::string(4000, fields[1][0])) << "interleaved line";
        seen += fields[1][0];
    }
    std::printf("recorders seen: %s\n", seen.c_str());
}

}  // namespace
