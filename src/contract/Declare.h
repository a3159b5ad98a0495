#pragma once
// Declaring a control's late-bound members from its row: each line names the contract's member,
// and the name, the kinds of call and the value type come from it, so a control can neither
// misspell a member nor give it another type. The dispatch id is the control's own, except for a
// member the row reaches by number (Member::id), which keeps that number. A declaration that does
// not give the member exactly the kinds and type its row lists (a getter and a setter for a
// read-only member, say), or another id for a numbered one, is a programming error
// (std::invalid_argument), raised while the control is made.
//
//   contract::Declare<PictureControl> m(table(), this);
//   m.Property(picture::FileName, 0x68020101, &PictureControl::FileName,
//              &PictureControl::setFileName);
#include <string>
#include <utility>
#include <vector>

#include "contract/Member.h"
#include "runtime/MemberBuilders.h"

namespace quindel::contract {

template <class Owner = void>
class Declare {
  public:
    Declare(DispatchTable& table, Owner* self = nullptr) : table_(table), members_(table, self) {}

    template <class G, class S>
    Declare& Property(const Member& m, DispId id, G get, S set) {
        members_.Property(std::string(m.name), IdOf(m, id), m.type, std::move(get), std::move(set));
        return Check(m);
    }
    template <class G, class S>
    Declare& Property(const Member& m, G get, S set) {
        return Property(m, m.id, std::move(get), std::move(set));
    }

    // A member kept in a field (Members::Field).
    template <class T>
    Declare& Field(const Member& m, DispId id, T& field) {
        members_.Field(std::string(m.name), IdOf(m, id), m.type, field);
        return Check(m);
    }
    template <class T>
    Declare& Field(const Member& m, T& field) {
        return Field(m, m.id, field);
    }

    template <class G>
    Declare& ReadOnly(const Member& m, DispId id, G get) {
        members_.ReadOnly(std::string(m.name), IdOf(m, id), m.type, std::move(get));
        return Check(m);
    }
    template <class G>
    Declare& ReadOnly(const Member& m, G get) {
        return ReadOnly(m, m.id, std::move(get));
    }

    template <class F>
    Declare& Method(const Member& m, DispId id, std::vector<ParamSpec> params, F f) {
        members_.Method(std::string(m.name), IdOf(m, id), std::move(params), m.type, std::move(f));
        return Check(m);
    }

    // A member whose handler sees the kind of call itself (one taking Let and Set alike).
    Declare& Custom(const Member& m, DispId id, MemberHandler handler) {
        table_.member(std::string(m.name), IdOf(m, id), m.kinds, {}, m.type, std::move(handler));
        return Check(m);
    }

  private:
    static DispId IdOf(const Member& m, DispId id) {
        if (m.id != 0 && id != m.id)
            throw std::invalid_argument("contract: " + std::string(m.name) + " is reached as " +
                                        std::to_string(m.id));
        return id;
    }
    Declare& Check(const Member& m) {
        const MemberSpec* declared = table_.find(m.name);
        if (!declared || declared->kinds != m.kinds || declared->valueType != m.type)
            throw std::invalid_argument("contract: " + std::string(m.name) +
                                        " is declared otherwise than its row says");
        return *this;
    }

    DispatchTable& table_;
    Members<Owner> members_;
};

}  // namespace quindel::contract
