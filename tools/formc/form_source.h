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

struct CompiledForm {
    formhost::FormBlock block;
    std::vector<std::string> routines;          // index = handler reference
    std::vector<std::filesystem::path> assets;  // files read, for the depfile
};

CompiledForm compile_form_source(const std::filesystem::path& source);

}  // namespace formc
