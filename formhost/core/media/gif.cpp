#include "gif.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace formhost::media {

namespace {

struct MemoryInput {
    ByteView data;
    std::size_t at = 0;
};

int read_input(GifFileType* gif, GifByteType* out, int length) {
    auto* in = static_cast<MemoryInput*>(gif->UserData);
    if (length <= 0 || in->at >= in->data.size()) return 0;
    const std::size_t count = std::min(static_cast<std::size_t>(length), in->data.size() - in->at);
    std::memcpy(out, in->data.data() + in->at, count);
    in->at += count;
    return static_cast<int>(count);
}

struct CloseGif {
    void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
using GifHandle = std::unique_ptr<GifFileType, CloseGif>;

// What a graphic control extension says about the next image.
struct Control {
    int disposal = 0;
    int transparent = -1;
    std::uint16_t delay = 0;
};

constexpr int kRestoreBackground = 2, kRestorePrevious = 3;

class Decoder {
public:
    Decoder(GifFileType* gif, Image canvas, std::uint64_t max_pixels)
        : gif_(gif), canvas_(std::move(canvas)), max_pixels_(max_pixels) {}

    // Reads records to the trailer; false where the file breaks off or runs
    // past the pixel budget.
    bool run(GifAnimation& out) {
        for (;;) {
            GifRecordType type;
            if (DGifGetRecordType(gif_, &type) == GIF_ERROR) return false;
            if (type == TERMINATE_RECORD_TYPE) return true;
            if (type == EXTENSION_RECORD_TYPE && !read_extension(out)) return false;
            if (type == IMAGE_DESC_RECORD_TYPE && !read_frame(out)) return false;
        }
    }

private:
    bool read_extension(GifAnimation& out) {
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif_, &code, &block) == GIF_ERROR) return false;
        // Each block holds its length in byte 0, then that many bytes.
        if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
            control_.disposal = block[1] >> 2 & 7;
            control_.delay = static_cast<std::uint16_t>(block[2] | block[3] << 8);
            control_.transparent = block[1] & 1 ? block[4] : -1;
        }
        const bool looping = code == APPLICATION_EXT_FUNC_CODE && block && block[0] == 11 &&
                             (std::memcmp(block + 1, "NETSCAPE2.0", 11) == 0 ||
                              std::memcmp(block + 1, "ANIMEXTS1.0", 11) == 0);
        while (block) {
            if (DGifGetExtensionNext(gif_, &block) == GIF_ERROR) return false;
            if (looping && block && block[0] >= 3 && block[1] == 1)
                out.loop_count = static_cast<std::uint16_t>(block[2] | block[3] << 8);
        }
        return true;
    }

    bool read_frame(GifAnimation& out) {
        if (DGifGetImageDesc(gif_) == GIF_ERROR) return false;
        const GifImageDesc& d = gif_->Image;
        const ColorMapObject* colours = d.ColorMap ? d.ColorMap : gif_->SColorMap;
        const auto area = static_cast<std::uint64_t>(canvas_.pixels.size());
        if (d.Width <= 0 || d.Height <= 0 || !colours ||
            static_cast<std::uint64_t>(d.Width) * static_cast<std::uint64_t>(d.Height) > max_pixels_ ||
            (out.frames.size() + 1) * area > max_pixels_)
            return false;

        if (control_.disposal == kRestorePrevious) previous_ = canvas_.pixels;
        if (!draw(d, *colours)) return false;

        out.frames.push_back({canvas_, control_.delay, control_.delay * 10});
        if (control_.disposal == kRestoreBackground) clear(d);
        if (control_.disposal == kRestorePrevious) canvas_.pixels.swap(previous_);
        control_ = Control{};
        return true;
    }

    // Decodes the frame's rows, in interlaced order when stored so, painting
    // the part that lies on the canvas. The transparent index, and indices
    // past the colour map, leave the canvas as it was.
    bool draw(const GifImageDesc& d, const ColorMapObject& colours) {
        row_.resize(static_cast<std::size_t>(d.Width));
        static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
        const int passes = d.Interlace ? 4 : 1;
        for (int pass = 0; pass < passes; ++pass) {
            const int step = d.Interlace ? kStep[pass] : 1;
            for (int y = d.Interlace ? kStart[pass] : 0; y < d.Height; y += step) {
                if (DGifGetLine(gif_, row_.data(), d.Width) == GIF_ERROR) return false;
                const std::int64_t cy = std::int64_t{d.Top} + y;
                if (cy >= canvas_.height) continue;
                std::uint32_t* target = canvas_.row(static_cast<int>(cy));
                const int visible = static_cast<int>(
                    std::min<std::int64_t>(d.Width, canvas_.width - std::int64_t{d.Left}));
                for (int x = 0; x < visible; ++x) {
                    const int index = row_[static_cast<std::size_t>(x)];
                    if (index == control_.transparent || index >= colours.ColorCount) continue;
                    const GifColorType& c = colours.Colors[index];
                    target[d.Left + x] = opaque(c.Red, c.Green, c.Blue);
                }
            }
        }
        return true;
    }

    void clear(const GifImageDesc& d) {
        const int right = static_cast<int>(std::min<std::int64_t>(std::int64_t{d.Left} + d.Width, canvas_.width));
        const int bottom = static_cast<int>(std::min<std::int64_t>(std::int64_t{d.Top} + d.Height, canvas_.height));
        if (d.Left >= right) return;
        for (int y = d.Top; y < bottom; ++y) std::fill(canvas_.row(y) + d.Left, canvas_.row(y) + right, 0u);
    }

    GifFileType* gif_;
    Image canvas_;
    std::uint64_t max_pixels_;
    Control control_;
    std::vector<std::uint32_t> previous_;
    std::vector<GifPixelType> row_;
};

}  // namespace

std::optional<GifAnimation> decode_gif(ByteView file, std::uint64_t max_pixels) {
    MemoryInput input{file};
    int error = 0;
    const GifHandle gif(DGifOpen(&input, read_input, &error));
    if (!gif) return std::nullopt;

    auto canvas = make_image(gif->SWidth, gif->SHeight, max_pixels);
    if (!canvas) return std::nullopt;

    GifAnimation animation;
    animation.width = canvas->width;
    animation.height = canvas->height;
    animation.complete = Decoder(gif.get(), std::move(*canvas), max_pixels).run(animation);
    if (animation.frames.empty()) return std::nullopt;
    return animation;
}

}  // namespace formhost::media
