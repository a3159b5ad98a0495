// Host-kit objects a script makes by program ids of the scripted host's own (host.new). A new
// kit object is one maker and one AddKit line.
#include "LuaHost.h"
#include "hostkit/lists/PaginatoreLista.h"
#include "hostkit/richtextbox/HostEngineServices.h"
#include "platform/WindowObject.h"
#include "runtime/Coercions.h"
#include "runtime/MemberBuilders.h"

namespace quindel::lua {

namespace {

using PT = ParamType;

// The host's side of chunk paging: "Quindel.ListPager"(whole list file, page size).
class ListPager final : public TableDispatch {
  public:
    ListPager(const std::string& file, std::int32_t page) : pager_(file, page) {
        Members<ListPager> m(table(), this);
        m.ReadOnly("Totale", 1, PT::Long, &ListPager::Totale);
        m.ReadOnly("Pagina", 2, PT::Long, &ListPager::Pagina);
        m.Method("PrimoDelChunk", 3, {ByVal("Posizione", PT::Long)}, PT::Long,
                 &ListPager::PrimoDelChunk);
        m.Method("ScriviChunk", 4, {ByVal("FileChunk", PT::String), ByVal("Posizione", PT::Long)},
                 PT::Boolean, &ListPager::ScriviChunk);
    }
    std::string TypeName() const override { return "ListPager"; }

  private:
    std::int32_t Totale() const { return pager_.Totale(); }
    std::int32_t Pagina() const { return pager_.Pagina(); }
    std::int32_t PrimoDelChunk(std::int32_t pos) const { return pager_.PrimoDelChunk(pos); }
    bool ScriviChunk(const std::string& file, std::int32_t pos) const {
        return pager_.ScriviChunk(file, pos);
    }
    hostkit::PaginatoreLista pager_;
};

Object MakeListPager(LuaHost&, Args& args) {
    if (args.empty() || args[0].isMissing()) Raise(449);
    const std::int32_t page = args.size() > 1 && !args[1].isMissing() ? CLng(args[1]) : 14;
    if (page <= 0) Raise(5);
    return std::make_shared<ListPager>(CStr(args[0]), page);
}

Object MakeForm(LuaHost& h, Args&) {
    return platform::MakeFormObject(h.NewForm());
}

}  // namespace

void AddHostKit(LuaHost& h) {
    // The panel's copy and print dialogs reach rich text through these.
    hostkit::InstallHostEngineServices(h.backend().P());
    h.AddKit("Quindel.ListPager", MakeListPager);
    h.AddKit("Quindel.Form", MakeForm);
}

}  // namespace quindel::lua
