#include "formhost/win32/system/program_end.h"

#include <vector>

namespace formhost::win32 {
namespace {

std::vector<void (*)()>& stops() {
    static std::vector<void (*)()> registered;
    return registered;
}

}  // namespace

void stop_at_program_end(void (*stop)()) { stops().push_back(stop); }

void stop_everything_at_program_end() {
    for (auto stop : stops()) stop();
}

}  // namespace formhost::win32
