// libFuzzer target: icon and cursor directories, every entry decoded, and the
// chosen entry's resource view.
#include "formhost/core/media/icon.h"
#include "media_fuzz.h"

using namespace formhost;
using namespace formhost::media;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ByteView bytes(data, size);
    if (const auto directory = read_icon_directory(bytes)) {
        for (const IconEntry& entry : directory->entries) {
            fuzz::check(fuzz::inside(entry.bytes, bytes) && entry.width > 0 && entry.height > 0);
            if (const auto image = decode_icon_entry(entry, fuzz::kPixels)) fuzz::check_image(*image);
        }
        const auto resource = icon_resource(bytes);
        fuzz::check(resource && fuzz::inside(resource->bytes, bytes));
    }
    return 0;
}
