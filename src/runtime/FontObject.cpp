#include "runtime/FontObject.h"

#include "runtime/MemberBuilders.h"

namespace quindel {

FontObject::FontObject() : FontObject(Fields{}) {}

FontObject::FontObject(Fields fields) : fields_(std::move(fields)) {
    Members<FontObject> m(table(), this);
    Fields& f = fields_;
    m.Property(
        "Name", 0, ParamType::String, [&f] { return f.name; },
        [&f](const std::string& v) { f.name = v; });
    m.Property(
        "Size", 2, ParamType::Double, [&f] { return f.size; }, [this](double v) { setSize(v); });
    m.Property(
        "Bold", 3, ParamType::Boolean, [&f] { return f.weight >= 600; },
        [this](bool v) { setWeight(v ? 700 : 400); });
    m.Property(
        "Italic", 4, ParamType::Boolean, [&f] { return f.italic; }, [&f](bool v) { f.italic = v; });
    m.Property(
        "Underline", 5, ParamType::Boolean, [&f] { return f.underline; },
        [&f](bool v) { f.underline = v; });
    m.Property(
        "Strikethrough", 6, ParamType::Boolean, [&f] { return f.strikethrough; },
        [&f](bool v) { f.strikethrough = v; });
    m.Property(
        "Weight", 7, ParamType::Integer, [&f] { return f.weight; },
        [this](std::int16_t v) { setWeight(v); });
    m.Property(
        "Charset", 8, ParamType::Integer, [&f] { return f.charset; },
        [&f](std::int16_t v) { f.charset = v; });
}

void FontObject::setSize(double points) {
    if (!(points > 0 && points <= 2160)) Raise(380);
    fields_.size = points;
}

void FontObject::setWeight(std::int16_t weight) {
    if (weight < 0 || weight > 1000) Raise(380);
    fields_.weight = weight;
}

}  // namespace quindel
