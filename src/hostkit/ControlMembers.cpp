#include "hostkit/ControlMembers.h"

#include <stdexcept>
#include <string>

#include "platform/Form.h"
#include "platform/WindowObject.h"
#include "runtime/MemberBuilders.h"

namespace quindel::hostkit {

void AdoptWindowMembers(DispatchTable& table, platform::Window& window,
                        std::initializer_list<const char*> names) {
    // A view that does not own the window: its handlers act on the window itself, so the copies
    // stay valid as long as the control that holds them.
    const platform::WindowObject view(
        std::shared_ptr<platform::Window>(std::shared_ptr<platform::Window>(), &window));
    for (const char* name : names) {
        const MemberSpec* member = view.dispatchTable().find(std::string_view(name));
        if (!member) throw std::invalid_argument(std::string("no window member ") + name);
        table.member(name, member->id, member->kinds, member->params, member->valueType,
                     member->handler);
    }
}

void DeclareParent(DispatchTable& table, platform::Window& window) {
    Members<> m(table);
    m.ReadOnly("Parent", 0x80010009, ParamType::Object, [&window]() -> Object {
        platform::Window* parent = window.Parent();
        if (!parent || !parent->Alive()) return {};
        if (parent->Kind() == platform::WindowKind::Form)
            return platform::MakeFormObject(
                std::static_pointer_cast<platform::Form>(parent->shared_from_this()));
        return platform::MakeWindowObject(parent->shared_from_this());
    });
}

void DeclareRefresh(DispatchTable& table, std::function<void()> repaint) {
    Members<> m(table);
    m.Method("Refresh", -550, {}, ParamType::None, [repaint = std::move(repaint)] { repaint(); });
}

}  // namespace quindel::hostkit
