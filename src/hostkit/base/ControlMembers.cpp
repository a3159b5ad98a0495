#include "hostkit/base/ControlMembers.h"

#include <stdexcept>
#include <string>

#include "contract/Declare.h"
#include "contract/Window.h"
#include "platform/Form.h"
#include "platform/WindowObject.h"

namespace quindel::hostkit {

void AdoptWindowMembers(DispatchTable& table, platform::Window& window,
                        std::initializer_list<contract::Member> members) {
    // A view that does not own the window: its handlers act on the window itself, so the copies
    // stay valid as long as the control that holds them.
    const platform::WindowObject view(
        std::shared_ptr<platform::Window>(std::shared_ptr<platform::Window>(), &window));
    for (const contract::Member& wanted : members) {
        const MemberSpec* member = view.dispatchTable().find(wanted.name);
        if (!member || member->kinds != wanted.kinds || member->valueType != wanted.type)
            throw std::invalid_argument("no window member " + std::string(wanted.name) +
                                        " as the contract has it");
        table.member(std::string(wanted.name), member->id, member->kinds, member->params,
                     member->valueType, member->handler);
    }
}

void DeclareParent(DispatchTable& table, platform::Window& window) {
    contract::Declare<> m(table);
    m.ReadOnly(contract::window::Parent, 0x80010009, [&window]() -> Object {
        platform::Window* parent = window.Parent();
        if (!parent || !parent->Alive()) return {};
        if (parent->Kind() == platform::WindowKind::Form)
            return platform::MakeFormObject(
                std::static_pointer_cast<platform::Form>(parent->shared_from_this()));
        return platform::MakeWindowObject(parent->shared_from_this());
    });
}

void DeclareRefresh(DispatchTable& table, std::function<void()> repaint) {
    contract::Declare<> m(table);
    m.Method(contract::window::Refresh, -550, {}, [repaint = std::move(repaint)] { repaint(); });
}

}  // namespace quindel::hostkit
