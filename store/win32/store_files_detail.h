#pragma once
// The save with its temporary file named by the caller, so that tests can
// make each of its steps fail.
#include <initializer_list>
#include <string>

#include "store/text_bytes.h"

namespace store::detail {

bool write_file_through(const std::wstring& target, const std::wstring& temporary,
                        std::initializer_list<ByteView> parts);

}  // namespace store::detail
