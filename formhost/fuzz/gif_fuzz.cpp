// libFuzzer target: GIF decoding and frame composition through giflib.
#include "formhost/core/media/gif.h"
#include "media_fuzz.h"

using namespace formhost;
using namespace formhost::media;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (const auto gif = decode_gif(ByteView(data, size), fuzz::kPixels)) {
        fuzz::check(!gif->frames.empty());
        for (const GifFrame& frame : gif->frames) {
            fuzz::check_image(frame.canvas);
            fuzz::check(frame.canvas.width == gif->width && frame.canvas.height == gif->height);
            fuzz::check(frame.delay_ms == frame.delay_field * 10);
        }
    }
    return 0;
}
