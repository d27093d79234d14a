#pragma once
// Pictures as the host draws them: decoded once from the file's bytes into
// GDI objects, then drawn as often as windows repaint.

#include <windows.h>

#include <memory>

#include "formhost/core/byte_io.h"
#include "formhost/win32/media/dib_section.h"

namespace formhost::win32 {

class Picture {
public:
    // Decodes a whole picture file (BMP, JPEG, GIF: its first frame, ICO,
    // CUR); null when it cannot be decoded.
    static std::unique_ptr<Picture> load(ByteView bytes);

    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }

    // ICO and CUR pictures: the system icon made from the chosen entry
    // (CreateIconFromResourceEx), drawn by DrawIconEx with its mask and
    // alpha. Null for other pictures.
    HICON icon() const { return icon_.get(); }

    // Other pictures: a 32-bit top-down DIB section of the picture's colours
    // (transparent pixels white).
    HBITMAP bitmap() const { return colours_.bitmap.get(); }

    // True when every pixel covers what lies beneath: no alpha, no
    // transparent GIF pixels, no icon mask. Callers then need not paint
    // under the picture first.
    bool opaque() const { return !icon_ && !premultiplied_; }

    // Draws the whole picture stretched onto `dest`, keeping its
    // transparency (alpha, transparent GIF pixels, icon masks): what it does
    // not cover keeps what was there. Not thread-safe: the scaled copy it
    // keeps belongs to the GUI thread.
    void draw(HDC dc, const RECT& dest) const;

private:
    Picture() = default;
    friend void paint_background(HDC, const RECT&, const RECT&, const Picture*, int, COLORREF);

    // The pixels at natural size in the form draw() blits: premultiplied
    // where any pixel lets the background through, else the colours.
    const DibSection& natural() const { return premultiplied_ ? premultiplied_ : colours_; }
    // A brush that repeats the picture laid over `background`.
    HBRUSH tile_brush(COLORREF background) const;

    int width_ = 0;
    int height_ = 0;
    UniqueIcon icon_;
    DibSection colours_;
    DibSection premultiplied_;
    // The last size other than the natural one that the picture was drawn
    // at, already resampled: windows repaint far more often than they resize.
    mutable DibSection scaled_;
    mutable UniqueBrush tile_;
    mutable COLORREF tile_background_ = 0;
};

}  // namespace formhost::win32
