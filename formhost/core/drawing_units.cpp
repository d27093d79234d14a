#include "drawing_units.h"

#include <algorithm>
#include <iterator>
#include <limits>

#include "choices.h"

namespace formhost {
namespace {

// Units to an inch, by unit number; pixels have none.
constexpr std::int64_t kUnitsPerInch[] = {0, 254, 2540, 100, 1000, 1440};
static_assert(std::size(kUnitsPerInch) == choice::drawing_unit::kTwips + 1);

}  // namespace

std::int32_t units_to_pixels(std::int32_t value, std::uint32_t unit, int pixels_per_inch) {
    if (unit >= std::size(kUnitsPerInch) || unit == choice::drawing_unit::kPixels || pixels_per_inch <= 0) return value;
    const std::int64_t pixels = std::int64_t{value} * pixels_per_inch / kUnitsPerInch[unit];
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(pixels, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

}  // namespace formhost
