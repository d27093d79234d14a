#include "formhost/core/media/picture.h"
#include "formhost/core/property_indexes.h"
#include "formhost/win32/controls/frame_styles.h"
#include "formhost/win32/controls/kinds.h"
#include "formhost/win32/controls/painted_control.h"
#include "formhost/win32/drawing/colours.h"
#include "formhost/win32/media/backgrounds.h"
#include "formhost/win32/media/box_animation.h"
#include "formhost/win32/media/picture.h"
#include "formhost/win32/system/owners.h"
#include "formhost/win32/system/program_end.h"

namespace formhost::win32 {
namespace {

// The picture box: a picture placed by its display mode on the background
// colour. An animated GIF plays through a BoxAnimation of its own; any other
// picture (and a GIF of one frame) is a Picture drawn at each paint.
class PictureBox : public PaintedControl {
public:
    using PaintedControl::PaintedControl;

    // The player draws into the window: it has to end before the box does.
    ~PictureBox() override { animation_.reset(); }

    bool create(const ControlPlace& place) override {
        const FrameStyles frame = frame_styles(box().border_style);
        if (!create_window(place, L"FormHostPictureBox", frame.style, frame.ex_style)) return false;
        load_picture();
        return true;
    }

    bool takes_focus() const override { return false; }

protected:
    bool apply(int index) override {
        switch (index) {
            case property::picture_box::kBorderStyle:
                apply_frame_styles(hwnd_, box().border_style);
                refresh();  // the frame changes the client size
                break;
            case property::picture_box::kPicture: load_picture(); break;
            case property::picture_box::kBackgroundColour:
            case property::picture_box::kDisplayMode:
            case property::picture_box::kPlayAnimation: refresh(); break;
            default: break;
        }
        return false;
    }

    void paint(HDC dc, const RECT& area) override {
        if (animation_) {
            animation_->paint(dc);
            return;
        }
        RECT client;
        GetClientRect(hwnd_, &client);
        paint_box_picture(dc, client, area, still_.get(), static_cast<int>(box().display_mode), background());
    }

    bool handle(UINT message, WPARAM, LPARAM, LRESULT&) override {
        if (message == WM_SIZE) refresh();
        if (message == WM_DESTROY) animation_.reset();
        return false;
    }

private:
    PictureBoxData& box() { return std::get<PictureBoxData>(data_); }
    COLORREF background() { return resolve_colour(box().background_colour, COLOR_BTNFACE); }

    // Decodes the picture property: once per write, never at a paint.
    void load_picture() {
        animation_.reset();
        gif_.reset();
        still_.reset();
        const Bytes& bytes = box().picture;
        if (media::detect_picture_format(bytes) == media::PictureFormat::gif) {
            if (auto gif = media::decode_gif(bytes); gif && gif->frames.size() > 1)
                gif_ = std::make_shared<const media::GifAnimation>(std::move(*gif));
        }
        if (!gif_ && !bytes.empty()) still_ = Picture::load(bytes);
        refresh();
    }

    // Starts the display afresh for the current size, mode, colour and
    // animation switch; the animation's frames are rendered for them.
    void refresh() {
        animation_.reset();
        if (gif_) {
            RECT client;
            GetClientRect(hwnd_, &client);
            const media::Size area{client.right, client.bottom};
            if (const auto place = media::place_in_box({gif_->width, gif_->height}, area,
                                                       static_cast<media::BoxMode>(box().display_mode))) {
                const BoxLayout layout{area.width, area.height, *place, background()};
                animation_ = BoxAnimation::create(hwnd_, gif_, layout, box().play_animation);
                if (animation_ && animation_->playing()) stop_animations_at_program_end();
            }
        }
        InvalidateRect(hwnd_, nullptr, FALSE);
    }

    static void stop_animations_at_program_end() {
        static const bool registered = (stop_at_program_end(&stop_all_animations), true);
        (void)registered;
    }

    std::shared_ptr<const media::GifAnimation> gif_;
    std::unique_ptr<Picture> still_;
    std::unique_ptr<BoxAnimation> animation_;
};

}  // namespace

std::unique_ptr<Control> make_picture_box(std::uint32_t window_id, std::uint32_t id, KindData data) {
    return std::make_unique<PictureBox>(window_id, id, std::move(data));
}

}  // namespace formhost::win32
