// Late binding on the control with random members, call kinds and arguments, with virtual time
// passing between calls. Only run-time errors may come out of a call; anything else, or a crash,
// is a finding. One control serves many inputs; a closed one is replaced.
#include <cstdint>
#include <memory>
#include <string>

#include "control/Quindel.h"
#include "platform/Form.h"
#include "platform/PictureBox.h"
#include "platform/headless/HeadlessPlatform.h"
#include "runtime/VbError.h"

namespace {

using namespace quindel;

struct Host {
    headless::HeadlessPlatform p;
    std::shared_ptr<platform::Form> form;
    std::shared_ptr<Quindel> q;

    void Ready() {
        if (q && form && form->Alive() && !q->InChiusura()) return;
        q.reset();
        if (form && form->Alive()) form->Unload();
        form = p.NewForm();
        form->Move(1500, 1500, 9900, 4500);
        q = Quindel::Crea(p, *form);
        q->Finestra().Move(0, 0, 9600, 600);
        form->Show();
    }
};

// Reads the input a byte at a time; past its end, zeros.
struct Bytes {
    const std::uint8_t* data;
    std::size_t size, at = 0;
    std::uint8_t Next() { return at < size ? data[at++] : 0; }
    bool More() const { return at < size; }
};

Variant Argument(Bytes& b) {
    switch (b.Next() % 8) {
        case 0:
            return Variant::Missing();
        case 1:
            return bool(b.Next() & 1);
        case 2:
            return std::int16_t(std::int8_t(b.Next()) * 8);
        case 3:
            return std::int32_t(std::int8_t(b.Next()) * 1000);
        case 4:
            return double(std::int8_t(b.Next())) / 3;
        case 5:
            return std::string(b.Next() % 5, char('0' + b.Next() % 10));
        case 6:
            return Object();
        default:
            return std::uint8_t(b.Next());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Host host;
    Bytes b{data, size};
    while (b.More()) {
        host.Ready();
        const auto& members = host.q->dispatchTable().members();
        const MemberSpec& m = members[b.Next() % members.size()];
        const CallKind kind = CallKind(1 << (b.Next() % 4));
        Args args;
        for (int n = b.Next() % 6; n > 0; --n) args.push_back(Argument(b));
        try {
            host.q->Invoke(m.id, kind, args);
        } catch (const VbError&) {
        }
        host.p.RunFor(b.Next() * 10);
    }
    return 0;
}
