#pragma once
// Kind-specific properties by property index, on a kind's data. A write
// converts the value by the property's type: a choice below 0 becomes 0, a
// bool 0 or 1, an absent text the empty text, pictures, sounds and fonts
// their bytes.

#include <optional>

#include "kind_data.h"
#include "value.h"

namespace formhost {

std::optional<FieldInfo> property_field(const KindData& data, int property);

// The property's value; nullopt when the kind has no such property.
std::optional<Value> read_property_field(const KindData& data, int property);

// false when the kind has no such property.
bool write_property_field(KindData& data, int property, const Value& value);

}  // namespace formhost
