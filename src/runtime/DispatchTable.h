#pragma once
// The one declaration of an object's late-bound members: the dispatch and the interface
// listing both come from it, so they can never disagree.
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "runtime/Dispatch.h"

namespace quindel {

// Form is an Object that is a host form; it is checked like Object.
enum class ParamType {
    None,
    Variant,
    Boolean,
    Byte,
    Integer,
    Long,
    Single,
    Double,
    String,
    Object,
    Form
};

struct ParamSpec {
    std::string name;
    ParamType type = ParamType::Variant;
    bool optional = false;
    bool byRef = false;
};

// Receives the arguments already checked and coerced to their declared types (Missing for
// an omitted optional; for Let/Set the value last, coerced to the value type).
using MemberHandler = std::function<Variant(CallKind kind, Args& args)>;

struct MemberSpec {
    std::string name;
    DispId id = 0;
    CallKind kinds = CallKind::Method;
    std::vector<ParamSpec> params;
    ParamType valueType = ParamType::None;  // property type or method result; None for a Sub
    MemberHandler handler;
};

class DispatchTable {
  public:
    // Declares one member; a name or id declared twice, or a missing handler, is a
    // programming error (std::invalid_argument).
    DispatchTable& member(std::string name, DispId id, CallKind kinds,
                          std::vector<ParamSpec> params, ParamType valueType,
                          MemberHandler handler);

    // nullptr when absent; names compare case-insensitively.
    const MemberSpec* find(DispId id) const;
    const MemberSpec* find(std::string_view name) const;

    // In declaration order.
    const std::vector<MemberSpec>& members() const { return members_; }

  private:
    std::vector<MemberSpec> members_;
    std::unordered_map<DispId, std::size_t> byId_;
    std::unordered_map<std::string, std::size_t> byName_;  // folded names
};

// A Dispatch answering from a table. An object either derives from it and declares its
// members in its constructor through table() (handlers capturing `this`), or is built
// from a ready table. Not copyable: the handlers may point back at the owner.
class TableDispatch : public Dispatch {
  public:
    TableDispatch() = default;
    explicit TableDispatch(DispatchTable table) : table_(std::move(table)) {}
    TableDispatch(const TableDispatch&) = delete;
    TableDispatch& operator=(const TableDispatch&) = delete;

    DispId GetIDOfName(std::string_view name) const override;
    Variant Invoke(DispId id, CallKind kind, Args& args) override;

    const DispatchTable& dispatchTable() const { return table_; }

  protected:
    DispatchTable& table() { return table_; }

  private:
    DispatchTable table_;
};

// An IDL-like listing, one line per member and kind, in declaration order. An event
// interface lists every member as a method returning nothing.
std::string DescribeInterface(const DispatchTable& table, std::string_view interfaceName,
                              bool isEventInterface);

}  // namespace quindel
