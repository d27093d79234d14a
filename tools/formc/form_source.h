#pragma once
// A program's form source: its routine names and its windows, as JSON.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "formhost/core/form_block.h"

namespace formc {

// A mistake in the source, with the place it was found (file, window or
// control, field) already in the message.
class SourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An id that the source names for the program's code.
struct NamedId {
    std::string name;
    std::uint32_t id = 0;
    std::string what;  // the control's name in the source, or what the id is
};

struct CompiledForm {
    formhost::FormBlock block;
    std::vector<std::string> routines;          // index = handler reference
    std::vector<NamedId> ids;                   // in source order
    std::vector<std::filesystem::path> assets;  // files read, for the depfile
};

CompiledForm compile_form_source(const std::filesystem::path& source);

}  // namespace formc
