#include "runtime/DispatchTable.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "runtime/Coercions.h"
#include "runtime/Text.h"
#include "runtime/VbError.h"

namespace quindel {

namespace {

constexpr int kErrTypeMismatch = 13;
constexpr int kErrNotSupported = 438;
constexpr int kErrNotOptional = 449;
constexpr int kErrWrongArgCount = 450;

bool IsAssignment(CallKind kind) {
    return kind == CallKind::Let || kind == CallKind::Set;
}

// A call names exactly one kind; a combined mask is a declaration, not a call.
bool IsSingleKind(CallKind kind) {
    const auto v = static_cast<unsigned>(kind);
    return v != 0 && (v & (v - 1)) == 0 && v <= static_cast<unsigned>(CallKind::Method);
}

Variant CoerceTo(const Variant& v, ParamType type) {
    switch (type) {
        case ParamType::None:
        case ParamType::Variant:
            return v;
        case ParamType::Boolean:
            return CBool(v);
        case ParamType::Byte:
            return CByte(v);
        case ParamType::Integer:
            return CInt(v);
        case ParamType::Long:
            return CLng(v);
        case ParamType::Single:
            return CSng(v);
        case ParamType::Double:
            return CDbl(v);
        case ParamType::String:
            return CStr(v);
        case ParamType::Object:
        case ParamType::Form:
            if (!v.isObject()) Raise(kErrTypeMismatch);
            return v;
    }
    return v;
}

// Positional arguments the caller passed, not counting the value of an assignment.
std::size_t PositionalCount(CallKind kind, const Args& args) {
    if (!IsAssignment(kind)) return args.size();
    if (args.empty()) Raise(kErrWrongArgCount);
    return args.size() - 1;
}

Variant BindParam(const ParamSpec& p, const Variant* given) {
    if (given && !given->isMissing()) return CoerceTo(*given, p.type);
    if (!p.optional) Raise(kErrNotOptional);
    return Variant::Missing();
}

// Every check and coercion happens here, before the handler runs.
Args BindArguments(const MemberSpec& m, CallKind kind, const Args& args) {
    const std::size_t given = PositionalCount(kind, args);
    if (given > m.params.size()) Raise(kErrWrongArgCount);
    Args bound;
    // A plain property read binds nothing: no allocation on the most frequent call.
    const std::size_t n = m.params.size() + (IsAssignment(kind) ? 1 : 0);
    if (n > 0) bound.reserve(n);
    for (std::size_t i = 0; i < m.params.size(); ++i) {
        bound.push_back(BindParam(m.params[i], i < given ? &args[i] : nullptr));
    }
    if (IsAssignment(kind)) bound.push_back(CoerceTo(args.back(), m.valueType));
    return bound;
}

void WriteBackByRef(const MemberSpec& m, CallKind kind, const Args& bound, Args& args) {
    const std::size_t given = std::min(PositionalCount(kind, args), m.params.size());
    for (std::size_t i = 0; i < given; ++i) {
        if (m.params[i].byRef) args[i] = bound[i];
    }
}

const char* TypeText(ParamType type) {
    switch (type) {
        case ParamType::None:
            return "void";
        case ParamType::Variant:
            return "Variant";
        case ParamType::Boolean:
            return "Boolean";
        case ParamType::Byte:
            return "Byte";
        case ParamType::Integer:
            return "Integer";
        case ParamType::Long:
            return "Long";
        case ParamType::Single:
            return "Single";
        case ParamType::Double:
            return "Double";
        case ParamType::String:
            return "String";
        case ParamType::Object:
            return "Object";
        case ParamType::Form:
            return "Form";
    }
    return "Variant";
}

std::string ParamText(const ParamSpec& p) {
    std::string s = p.byRef ? "[in, out" : "[in";
    if (p.optional) s += ", optional";
    s += "] ";
    s += TypeText(p.type);
    if (p.byRef) s += '*';
    return s + ' ' + p.name;
}

const char* KindAttribute(CallKind kind) {
    switch (kind) {
        case CallKind::Get:
            return ", propget";
        case CallKind::Let:
            return ", propput";
        case CallKind::Set:
            return ", propputref";
        default:
            return "";
    }
}

std::string MemberLine(const MemberSpec& m, CallKind kind, bool isEvent) {
    char id[16];
    std::snprintf(id, sizeof id, "0x%08x", static_cast<unsigned>(m.id));
    const bool returnsValue = !isEvent && (kind == CallKind::Get || kind == CallKind::Method);
    std::string params;
    for (const ParamSpec& p : m.params) params += (params.empty() ? "" : ", ") + ParamText(p);
    if (IsAssignment(kind)) {
        params += params.empty() ? "" : ", ";
        params += ParamText({"value", m.valueType, false, false});
    }
    return std::string("    [id(") + id + ")" + KindAttribute(kind) + "] " +
           TypeText(returnsValue ? m.valueType : ParamType::None) + " " + m.name + "(" + params +
           ");\n";
}

}  // namespace

DispatchTable& DispatchTable::member(std::string name, DispId id, CallKind kinds,
                                     std::vector<ParamSpec> params, ParamType valueType,
                                     MemberHandler handler) {
    if (!handler) throw std::invalid_argument("member without handler: " + name);
    std::string folded = LCase(name);
    if (byId_.count(id) || byName_.count(folded)) {
        throw std::invalid_argument("member declared twice: " + name);
    }
    byId_.emplace(id, members_.size());
    byName_.emplace(std::move(folded), members_.size());
    members_.push_back(
        {std::move(name), id, kinds, std::move(params), valueType, std::move(handler)});
    return *this;
}

const MemberSpec* DispatchTable::find(DispId id) const {
    const auto it = byId_.find(id);
    return it == byId_.end() ? nullptr : &members_[it->second];
}

const MemberSpec* DispatchTable::find(std::string_view name) const {
    const auto it = byName_.find(LCase(name));
    return it == byName_.end() ? nullptr : &members_[it->second];
}

DispId TableDispatch::GetIDOfName(std::string_view name) const {
    const MemberSpec* m = table_.find(name);
    if (!m) Raise(kErrNotSupported);
    return m->id;
}

Variant TableDispatch::Invoke(DispId id, CallKind kind, Args& args) {
    const MemberSpec* m = table_.find(id);
    if (!m || !IsSingleKind(kind) || !HasKind(m->kinds, kind)) Raise(kErrNotSupported);
    Args bound = BindArguments(*m, kind, args);
    Variant result = m->handler(kind, bound);
    WriteBackByRef(*m, kind, bound, args);
    if (IsAssignment(kind) || m->valueType == ParamType::None) return {};
    return CoerceTo(result, m->valueType);
}

std::string DescribeInterface(const DispatchTable& table, std::string_view interfaceName,
                              bool isEventInterface) {
    static constexpr CallKind kKindOrder[] = {CallKind::Get, CallKind::Let, CallKind::Set,
                                              CallKind::Method};
    std::string out = "dispinterface " + std::string(interfaceName) + " {\n";
    for (const MemberSpec& m : table.members()) {
        if (isEventInterface) {
            out += MemberLine(m, CallKind::Method, true);
            continue;
        }
        for (CallKind kind : kKindOrder) {
            if (HasKind(m.kinds, kind)) out += MemberLine(m, kind, false);
        }
    }
    return out + "};\n";
}

}  // namespace quindel
