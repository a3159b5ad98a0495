#include "hostkit/state/ReadingState.h"

#include <charconv>
#include <cmath>
#include <sstream>
#include <string_view>
#include <variant>

namespace quindel::hostkit {
namespace {

constexpr std::string_view kHeader = "quindel-reading-state 1";

// One line of the file: its key and the field it fills.
using FieldRef =
    std::variant<std::optional<std::int64_t> ReadingState::*,
                 std::optional<std::int32_t> ReadingState::*, std::optional<double> ReadingState::*,
                 std::optional<bool> ReadingState::*>;
struct Key {
    std::string_view name;
    FieldRef field;
};
const Key kKeys[] = {
    {"object", &ReadingState::object},
    {"zoomed", &ReadingState::zoomed},
    {"pan_x", &ReadingState::panX},
    {"pan_y", &ReadingState::panY},
    {"panorama_pan", &ReadingState::panoramaPan},
    {"panorama_fov", &ReadingState::panoramaFov},
    {"film_ms", &ReadingState::filmMs},
    {"volume", &ReadingState::volume},
    {"multimedia_list_open", &ReadingState::multimediaListOpen},
    {"linked_list_open", &ReadingState::linkedListOpen},
};

template <typename T>
bool ParseValue(std::string_view text, T& out) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, out);
    if constexpr (std::is_floating_point_v<T>) {
        if (!std::isfinite(out)) return false;
    }
    return ec == std::errc() && ptr == end;
}
bool ParseValue(std::string_view text, bool& out) {
    if (text != "0" && text != "1") return false;
    out = text == "1";
    return true;
}

std::string Show(double v) {
    std::ostringstream s;
    s.imbue(std::locale::classic());
    s.precision(17);
    s << v;
    return s.str();
}
std::string Show(bool v) {
    return v ? "1" : "0";
}
template <typename T>
std::string Show(T v) {
    return std::to_string(v);
}

// False when the value does not read as the field's kind.
bool Assign(ReadingState& state, const FieldRef& field, std::string_view value) {
    return std::visit(
        [&](auto member) {
            typename std::remove_reference_t<decltype(state.*member)>::value_type v{};
            if (!ParseValue(value, v)) return false;
            state.*member = v;
            return true;
        },
        field);
}

}  // namespace

std::string FormatReadingState(const ReadingState& state) {
    std::string out = std::string(kHeader) + "\ncontent=" + state.content + "\n";
    for (const Key& key : kKeys) {
        std::visit(
            [&](auto member) {
                if (const auto& v = state.*member)
                    out += std::string(key.name) + "=" + Show(*v) + "\n";
            },
            key.field);
    }
    return out;
}

bool ParseReadingState(const std::string& text, ReadingState& state, std::string& why) {
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != kHeader) {
        why = "not a reading state (its first line is not \"" + std::string(kHeader) + "\")";
        return false;
    }
    ReadingState read;
    for (int number = 2; std::getline(in, line); ++number) {
        if (line.empty() || line[0] == '#') continue;
        const auto eq = line.find('=');
        const std::string_view name = std::string_view(line).substr(0, eq);
        const std::string_view value =
            eq == std::string::npos ? std::string_view() : std::string_view(line).substr(eq + 1);
        if (name == "content") {
            read.content = value;
            continue;
        }
        for (const Key& key : kKeys) {
            if (key.name == name && !Assign(read, key.field, value)) {
                why = "line " + std::to_string(number) + ": bad value for " + std::string(name);
                return false;
            }
        }
    }
    if (read.content.empty()) {
        why = "no content fingerprint";
        return false;
    }
    state = read;
    return true;
}

}  // namespace quindel::hostkit
