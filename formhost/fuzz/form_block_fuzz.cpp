// libFuzzer target: the form block reader and every kind's data reader must
// give a result or refuse for any bytes, and whatever they accept must write
// back to something they read the same way.
#include <cstdint>
#include <cstdlib>

#include "formhost/core/font_record.h"
#include "formhost/core/form_block.h"
#include "formhost/core/kind_data.h"

using namespace formhost;

static void check(bool condition) {
    if (!condition) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ByteView bytes(data, size);

    if (auto block = read_form_block(bytes)) {
        check(read_form_block(write_form_block(*block)) == block);
        for (const auto& window : block->windows)
            for (const auto& control : window.controls)
                if (auto kind_data = read_kind_data(control.kind, control.kind_data))
                    check(read_kind_data(control.kind, write_kind_data(*kind_data)) == kind_data);
    }

    // The same bytes as the kind data of each kind, selected by the first byte.
    if (size > 0) {
        static constexpr std::uint32_t kinds[] = {0x00010001, 0x00010005, 0x00010006, 0x00010008,
                                                  0x0001000A, 0x0001000B, 0x00010020};
        const std::uint32_t kind = kinds[data[0] % 7];
        if (auto kind_data = read_kind_data(kind, bytes.subspan(1)))
            check(read_kind_data(kind, write_kind_data(*kind_data)) == kind_data);
    }

    if (auto font = read_font_record(bytes)) check(read_font_record(write_font_record(*font)) == font);
    return 0;
}
