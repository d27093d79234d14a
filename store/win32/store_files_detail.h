#pragma once
// The steps of a save, so that tests can name its temporary file and make
// each step fail.
#include <initializer_list>
#include <string>

#include "store/text_bytes.h"

namespace store::detail {

// How many temporary names one save tries before it fails.
inline constexpr unsigned kTemporaryAttempts = 64;

// The save's temporary file for its attempt-th try: beside the slot and no
// longer than the slot's own name. Empty when the name is too short to
// number that many tries.
std::wstring temporary_name(const std::wstring& target, unsigned attempt);

enum class SaveOutcome { saved, failed, name_taken };

// One try with the given temporary file; name_taken when the temporary
// exists already, and the slot is then untouched.
SaveOutcome write_file_through(const std::wstring& target, const std::wstring& temporary,
                               std::initializer_list<ByteView> parts);

}  // namespace store::detail
