// Two of these, one saving and one reading the same slot file for a while,
// show that a reader only ever sees one of the complete texts.
//   store_hammer write|read <file> <milliseconds>
// Exit code: the number of reads that were not one of the two complete texts
// (read; the file always exists, so an empty read counts too),
// or 0 when at least one save went through (write), else 100.
#include <windows.h>

#include <cstdio>
#include <string>

#include "formhost/win32/system/text_encoding.h"
#include "store/text_bytes.h"
#include "store/win32/store_files.h"
#include "store_hammer_texts.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) return 200;
    const std::wstring mode = argv[1];
    const std::string file = formhost::win32::narrow(argv[2]);
    const DWORD duration = static_cast<DWORD>(std::stoul(argv[3]));
    const std::string texts[2] = {hammer_text(0), hammer_text(1)};

    int saves = 0, reads = 0, bad = 0, empty = 0;
    const DWORD start = GetTickCount();
    for (int i = 0; GetTickCount() - start < duration; ++i) {
        if (mode == L"write") {
            const store::Bytes bytes = store::to_byte_set(texts[i % 2]);
            saves += store::write_file(file, {bytes}) ? 1 : 0;
        } else {
            const std::string text = store::to_text(store::read_file(file));
            ++reads;
            if (text.empty()) {
                ++empty;
                std::printf("err %lu\n", GetLastError());
            } else if (text != texts[0] && text != texts[1]) ++bad;
        }
    }
    if (mode == L"write") {
        std::printf("saves: %d\n", saves);
        return saves > 0 ? 0 : 100;
    }
    std::printf("reads: %d, partial: %d, empty: %d\n", reads, bad, empty);
    return bad + empty;
}
