#include "mci/DeviceCommands.h"

#include <array>
#include <optional>

#include "mci/CommandOptions.h"
#include "mci/MciError.h"
#include "runtime/Text.h"

namespace quindel::mci {

namespace {

using Words = std::span<const Word>;
using Runner = std::uint32_t (*)(Device&, Words, std::string&);

// A keyword's integer value: none when the keyword is absent, BadInteger when it is no number.
std::uint32_t ReadNumber(const CommandOptions& o, std::string_view name,
                         std::optional<std::int32_t>& out) {
    const Word* w = o.Value(name);
    if (!w) return err::None;
    out = ParseInteger(w->text);
    return out ? err::None : err::BadInteger;
}

std::uint32_t RunPlay(Device& d, Words words, std::string&) {
    static constexpr std::array kKeys = {Keyword{"from", true}, Keyword{"to", true}};
    CommandOptions o;
    std::optional<std::int32_t> from, to;
    if (const std::uint32_t e = o.Parse(words, kKeys)) return e;
    if (const std::uint32_t e = ReadNumber(o, "from", from)) return e;
    if (const std::uint32_t e = ReadNumber(o, "to", to)) return e;
    return d.Play(from, to);
}

template <std::uint32_t (Device::*Action)()>
std::uint32_t RunPlain(Device& d, Words words, std::string&) {
    CommandOptions o;
    if (const std::uint32_t e = o.Parse(words, {})) return e;
    return (d.*Action)();
}

std::uint32_t RunSeek(Device& d, Words words, std::string&) {
    static constexpr std::array kKeys = {Keyword{"to", true}};
    CommandOptions o;
    if (const std::uint32_t e = o.Parse(words, kKeys)) return e;
    const Word* to = o.Value("to");
    if (!to) return err::MissingParameter;
    if (IsKeyword(*to, "start")) return d.Seek({SeekTarget::Kind::Start});
    if (IsKeyword(*to, "end")) return d.Seek({SeekTarget::Kind::End});
    const std::optional<std::int32_t> n = ParseInteger(to->text);
    if (!n) return err::BadInteger;
    return d.Seek({SeekTarget::Kind::Position, *n});
}

// The status item may be two words ("window handle"); it is matched as one lower-case phrase.
std::uint32_t RunStatus(Device& d, Words words, std::string& reply) {
    struct Item {
        std::string_view phrase;
        StatusItem item;
    };
    static constexpr std::array kItems = {
        Item{"length", StatusItem::Length},
        Item{"position", StatusItem::Position},
        Item{"mode", StatusItem::Mode},
        Item{"ready", StatusItem::Ready},
        Item{"window handle", StatusItem::WindowHandle},
        Item{"time format", StatusItem::TimeFormat},
    };
    std::string phrase;
    for (const Word& w : words) {
        if (IsKeyword(w, "wait") || IsKeyword(w, "notify")) continue;
        if (!phrase.empty()) phrase += ' ';
        phrase += w.quoted ? std::string("\"") : LCase(w.text);
    }
    if (phrase.empty()) return err::MissingParameter;
    for (const Item& i : kItems)
        if (phrase == i.phrase) return d.Status(i.item, reply);
    return err::UnrecognizedKeyword;
}

std::uint32_t RunWhere(Device& d, Words words, std::string& reply) {
    static constexpr std::array kKeys = {Keyword{"source"}, Keyword{"destination"}};
    CommandOptions o;
    if (const std::uint32_t e = o.Parse(words, kKeys)) return e;
    const bool source = o.Has("source");
    if (source == o.Has("destination"))
        return source ? err::FlagsNotCompatible : err::MissingParameter;
    return d.Where(source ? WhereItem::Source : WhereItem::Destination, reply);
}

std::uint32_t RunWindow(Device& d, Words words, std::string&) {
    static constexpr std::array kKeys = {Keyword{"state", true}};
    CommandOptions o;
    if (const std::uint32_t e = o.Parse(words, kKeys)) return e;
    const Word* state = o.Value("state");
    if (!state) return err::MissingParameter;
    if (IsKeyword(*state, "show")) return d.ShowWindow(true);
    if (IsKeyword(*state, "hide")) return d.ShowWindow(false);
    return err::BadConstant;
}

struct Verb {
    std::string_view name;
    Runner run;
};

constexpr std::array kVerbs = {
    Verb{"play", RunPlay},
    Verb{"pause", RunPlain<&Device::Pause>},
    Verb{"resume", RunPlain<&Device::Resume>},
    Verb{"stop", RunPlain<&Device::Stop>},
    Verb{"seek", RunSeek},
    Verb{"status", RunStatus},
    Verb{"where", RunWhere},
    Verb{"window", RunWindow},
};

const Verb* FindVerb(std::string_view name) {
    for (const Verb& v : kVerbs)
        if (EqualNoCase(v.name, name)) return &v;
    return nullptr;
}

}  // namespace

bool IsDeviceCommand(std::string_view verb) {
    return FindVerb(verb) != nullptr;
}

std::uint32_t RunDeviceCommand(std::string_view verb, Device& device, Words options,
                               std::string& reply) {
    const Verb* v = FindVerb(verb);
    return v ? v->run(device, options, reply) : err::UnrecognizedCommand;
}

}  // namespace quindel::mci
