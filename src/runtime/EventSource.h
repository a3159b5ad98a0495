#pragma once
// What a late-bound object may tell a host beyond Dispatch. Contract:
// - MemberInfo: the declaration of a member by dispatch id (kinds, parameters, by-reference
//   flags), so a scripting host can tell a property read from a method call without calling
//   anything. A TableDispatch answers from its table; DescribeMember covers both.
// - EventSource: the object's outgoing interface. AdviseSink connects a Dispatch sink that is
//   invoked as a method with each event's dispatch id and its arguments by reference; it returns
//   the cookie UnadviseSink takes (an unknown cookie is ignored).
#include <cstdint>

#include "runtime/DispatchTable.h"

namespace quindel {

class MemberInfo {
  public:
    virtual ~MemberInfo() = default;
    // Null when the object has no member with that id.
    virtual const MemberSpec* DescribeMember(DispId id) const = 0;
};

class EventSource {
  public:
    virtual ~EventSource() = default;
    virtual const DispatchTable& EventInterface() const = 0;
    virtual std::uint32_t AdviseSink(Object sink) = 0;
    virtual void UnadviseSink(std::uint32_t cookie) = 0;
};

// The declaration of a member of any object that publishes one, else null.
inline const MemberSpec* DescribeMember(const Dispatch& obj, DispId id) {
    if (const auto* info = dynamic_cast<const MemberInfo*>(&obj)) return info->DescribeMember(id);
    if (const auto* table = dynamic_cast<const TableDispatch*>(&obj))
        return table->dispatchTable().find(id);
    return nullptr;
}

}  // namespace quindel
