#pragma once
// One open device of the command interpreter. The interpreter reads the words of a command and
// calls one of these; the device answers 0 or a classic error number (MciError.h) and, for the
// queries, the reply text. An operation a device does not offer answers UnsupportedFunction,
// so a caller always learns that nothing happened. Positions are in the device's own units.
#include <cstdint>
#include <optional>
#include <string>

#include "mci/MciError.h"

namespace quindel::mci {

enum class StatusItem { Length, Position, Mode, Ready, WindowHandle, TimeFormat };
enum class WhereItem { Source, Destination };

struct SeekTarget {
    enum class Kind { Start, End, Position };
    Kind kind = Kind::Start;
    std::int32_t position = 0;  // for Kind::Position
};

class Device {
  public:
    virtual ~Device() = default;

    // From where it stands (or `from`) up to the end (or `to`).
    virtual std::uint32_t Play(std::optional<std::int32_t> /*from*/,
                               std::optional<std::int32_t> /*to*/) {
        return err::UnsupportedFunction;
    }
    virtual std::uint32_t Pause() { return err::UnsupportedFunction; }
    virtual std::uint32_t Resume() { return err::UnsupportedFunction; }
    virtual std::uint32_t Stop() { return err::UnsupportedFunction; }
    virtual std::uint32_t Seek(SeekTarget /*to*/) { return err::UnsupportedFunction; }
    virtual std::uint32_t Status(StatusItem /*item*/, std::string& /*reply*/) {
        return err::UnsupportedFunction;
    }
    // The rectangle as "left top width height" in pixels.
    virtual std::uint32_t Where(WhereItem /*item*/, std::string& /*reply*/) {
        return err::UnsupportedFunction;
    }
    virtual std::uint32_t ShowWindow(bool /*show*/) { return err::UnsupportedFunction; }
};

}  // namespace quindel::mci
