#include "value.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace formhost {
namespace {

template <class... F> struct Overload : F... { using F::operator()...; };
template <class... F> Overload(F...) -> Overload<F...>;

std::int32_t saturate(double d) {
    if (std::isnan(d)) return 0;
    if (d >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (d <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(d);  // toward zero
}

}  // namespace

std::int32_t to_int(const Value& value) {
    return std::visit(Overload{
                          [](std::monostate) -> std::int32_t { return 0; },
                          [](std::int32_t v) { return v; },
                          [](std::int64_t v) { return static_cast<std::int32_t>(v); },
                          [](double v) { return saturate(v); },
                          [](bool v) -> std::int32_t { return v ? 1 : 0; },
                          [](const std::string& v) {
                              return static_cast<std::int32_t>(std::strtol(v.c_str(), nullptr, 10));
                          },
                          [](const Bytes&) -> std::int32_t { return 0; },
                          [](const WindowRef&) -> std::int32_t { return 0; },
                      },
                      value);
}

bool to_bool(const Value& value) {
    if (const bool* b = std::get_if<bool>(&value)) return *b;
    if (const std::string* s = std::get_if<std::string>(&value)) return !s->empty();
    return to_int(value) != 0;
}

std::string to_text(const Value& value) {
    if (const std::string* s = std::get_if<std::string>(&value)) return *s;
    if (const Bytes* b = std::get_if<Bytes>(&value)) return std::string(b->begin(), b->end());
    if (std::holds_alternative<std::monostate>(value)) return {};
    if (const double* d = std::get_if<double>(&value)) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%g", *d);
        return buffer;
    }
    if (const std::int64_t* l = std::get_if<std::int64_t>(&value)) return std::to_string(*l);
    if (const bool* b = std::get_if<bool>(&value)) return *b ? "1" : "0";
    return std::to_string(to_int(value));
}

Bytes to_bytes(const Value& value) {
    if (const Bytes* b = std::get_if<Bytes>(&value)) return *b;
    if (const std::string* s = std::get_if<std::string>(&value)) return Bytes(s->begin(), s->end());
    return {};
}

}  // namespace formhost
