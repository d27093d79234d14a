#pragma once
// Window class names a form may not ask for (window property 31): the
// system's own classes and the host's. A host window of such a class would
// be one of those windows instead, and the host would never hear of it.

#include <string_view>

namespace formhost {

// Case does not matter, as for the system's class names.
bool reserved_window_class_name(std::string_view name);

}  // namespace formhost
