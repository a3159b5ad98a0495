#include "runtime/Variant.h"

#include "runtime/Dispatch.h"

namespace quindel {

Variant Variant::Null() {
    Variant v;
    v.value_ = NullTag{};
    return v;
}

Variant Variant::Missing() {
    Variant v;
    v.value_ = MissingTag{};
    return v;
}

bool Variant::isNumeric() const {
    switch (type()) {
        case VarType::Boolean:
        case VarType::Byte:
        case VarType::Integer:
        case VarType::Long:
        case VarType::Single:
        case VarType::Double:
            return true;
        default:
            return false;
    }
}

std::string Variant::TypeName() const {
    switch (type()) {
        case VarType::Empty:
            return "Empty";
        case VarType::Null:
            return "Null";
        case VarType::Missing:
            return "Error";
        case VarType::Boolean:
            return "Boolean";
        case VarType::Byte:
            return "Byte";
        case VarType::Integer:
            return "Integer";
        case VarType::Long:
            return "Long";
        case VarType::Single:
            return "Single";
        case VarType::Double:
            return "Double";
        case VarType::String:
            return "String";
        case VarType::Object: {
            const Object& obj = *asObjectPtr();
            return obj ? obj->TypeName() : "Nothing";
        }
    }
    return "Empty";
}

}  // namespace quindel
