// libFuzzer target: BMP files and the DIB reader under them.
#include "formhost/core/media/bmp.h"
#include "media_fuzz.h"

using namespace formhost;
using namespace formhost::media;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (const auto image = decode_bmp(ByteView(data, size), fuzz::kPixels)) fuzz::check_image(*image);
    return 0;
}
