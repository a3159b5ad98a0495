#include "runtime/Dispatch.h"

#include "runtime/VbError.h"

namespace quindel {

Variant CallByName(const Object& obj, std::string_view name, CallKind kind, Args& args) {
    if (!obj) Raise(91);
    return obj->Invoke(obj->GetIDOfName(name), kind, args);
}

Variant GetProperty(const Object& obj, std::string_view name, Args args) {
    return CallByName(obj, name, CallKind::Get, args);
}

void LetProperty(const Object& obj, std::string_view name, Variant value, Args index) {
    index.push_back(std::move(value));
    CallByName(obj, name, CallKind::Let, index);
}

void SetProperty(const Object& obj, std::string_view name, Variant value, Args index) {
    index.push_back(std::move(value));
    CallByName(obj, name, CallKind::Set, index);
}

Variant CallMethod(const Object& obj, std::string_view name, Args& args) {
    return CallByName(obj, name, CallKind::Method, args);
}

}  // namespace quindel
