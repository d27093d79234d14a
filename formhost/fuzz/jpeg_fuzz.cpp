// libFuzzer target: JPEG decoding through libjpeg, whose errors must come
// back as a refusal.
#include "formhost/core/media/jpeg.h"
#include "media_fuzz.h"

using namespace formhost;
using namespace formhost::media;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (const auto image = decode_jpeg(ByteView(data, size), fuzz::kPixels)) fuzz::check_image(*image);
    return 0;
}
