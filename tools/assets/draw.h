#pragma once
// The pictures' drawing layer, on cairo: fills, strokes, gradients, masks
// and compositing are cairo's; what cairo has no call for (a Gaussian blur,
// strokes that taper, reading and writing single pixels) is done here on the
// same surfaces. Canvases are cairo's 32-bit premultiplied ARGB, masks its
// 8-bit alpha.

#include <cairo.h>

#include <cstdint>
#include <vector>

#include "geometry.h"

namespace assets {

// Straight (not premultiplied) colour, each channel 0..1.
struct Colour {
    float r = 0, g = 0, b = 0, a = 0;
};

Colour hex(std::uint32_t rgb, float alpha = 1.0f);
Colour mix(Colour a, Colour b, double t);
Colour with_alpha(Colour c, float alpha);
Colour lighter(Colour c, double t);  // towards white
Colour darker(Colour c, double t);   // towards black

// What a fill, a stroke or a mask is painted with: one colour, or a
// gradient between two, in pixel coordinates. Gradients hold their end
// colours beyond their ends.
struct Paint {
    enum class Kind { solid, linear, radial };
    Kind kind = Kind::solid;
    Colour from, to;
    Pt start, end;      // linear: from start to end
    double radius = 0;  // radial: from `start` outwards
};
Paint solid(Colour c);
Paint linear(Pt p0, Colour c0, Pt p1, Colour c1);
Paint radial(Pt centre, double radius, Colour inner, Colour outer);

// A cairo context on a surface for the length of a scope; cairo's drawing is
// finished when it ends, so direct reads after it see every pixel.
class Context {
public:
    explicit Context(cairo_surface_t* surface);
    ~Context();
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;
    cairo_t* get() const { return cr_; }

private:
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

void add_shape(cairo_t* cr, const Shape& s);
void set_paint(cairo_t* cr, const Paint& p, double opacity = 1.0);

// Owns one cairo image surface; copies copy the pixels.
class Surface {
public:
    Surface(cairo_format_t format, int width, int height);
    ~Surface();
    Surface(const Surface& other);
    Surface& operator=(const Surface& other);
    int width() const { return w_; }
    int height() const { return h_; }
    // For cairo's use. Pixels may have been written directly since cairo
    // last saw the surface (it would otherwise still take a new surface for
    // clear, say), so every hand-over announces them.
    cairo_surface_t* surface() const;

protected:
    unsigned char* row(int y) const { return data_ + static_cast<std::ptrdiff_t>(y) * stride_; }
    std::size_t bytes() const { return static_cast<std::size_t>(stride_) * h_; }

private:
    void attach();
    int w_, h_, stride_ = 0;
    cairo_surface_t* s_ = nullptr;
    unsigned char* data_ = nullptr;
};

// Coverage 0..1 per pixel. Shapes drawn into a mask unite with what it holds.
class Mask : public Surface {
public:
    Mask(int width, int height) : Surface(CAIRO_FORMAT_A8, width, height) {}
    float get(int x, int y) const { return row(y)[x] / 255.0f; }
    void set(int x, int y, double coverage);
    void clear();
    void scale(double s);              // this = this * s
    void subtract(const Mask& other);  // this = this * (1 - other)
    void multiply(const Mask& other);  // this = this * other
};

void fill(Mask& m, const Shape& s);
// A polyline stroked with round ends and joins; the width goes linearly from
// w0 at the first point to w1 at the last, for tapered brush-like lines.
void stroke(Mask& m, const std::vector<Pt>& pts, double w0, double w1);
inline void stroke(Mask& m, const std::vector<Pt>& pts, double w) { stroke(m, pts, w, w); }
void blur(Mask& m, double sigma);

class Drawing : public Surface {
public:
    Drawing(int width, int height, Colour background = {});
    // Straight colour of a pixel.
    Colour get(int x, int y) const;
    void set(int x, int y, Colour c);
    // Source-over the paint through the mask's coverage times opacity.
    void paint(const Mask& m, const Paint& p, double opacity = 1.0);
    void paint(const Mask& m, Colour c, double opacity = 1.0) { paint(m, solid(c), opacity); }
    // Source-over another canvas of the same size.
    void draw(const Drawing& layer, double opacity = 1.0);
    void blur(double sigma);
    // The straight colour over an opaque background, 8 bits per channel RGB.
    std::vector<std::uint8_t> rgb8(Colour background) const;
    // Straight RGBA, 8 bits per channel, top row first.
    std::vector<std::uint8_t> rgba8() const;

    void fill(const Shape& s, const Paint& p, double opacity = 1.0);
    void fill(const Shape& s, Colour c, double opacity = 1.0) { fill(s, solid(c), opacity); }
    void stroke(const std::vector<Pt>& pts, double w0, double w1, const Paint& p, double opacity = 1.0);
    void stroke(const std::vector<Pt>& pts, double w, Colour c, double opacity = 1.0) {
        stroke(pts, w, w, solid(c), opacity);
    }
};

// Gaussian blur of one float plane of `width` x `height` values, inside the
// box [x0, x1) x [y0, y1) grown by three sigmas; outside the plane counts as
// empty.
void blur_plane(std::vector<float>& plane, int width, int height, double sigma, int x0, int y0, int x1, int y1);

}  // namespace assets
