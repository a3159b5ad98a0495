#pragma once
// A host display control for tests, as strict as a real one: it answers exactly the members of its
// row of the display-control contract (contract/Rows.h) and raises 438 for any other name, and for
// a kind of call its row does not list (a Let on a read-only member, a method read as a property),
// so a misspelt or misused member fails in the test that makes the call. Within its row any
// property can be read and written, every access is logged by lower-case name, names listed as
// missing raise 438 as a control without that member would, names listed as failing raise 380 on
// every access, and methods answer from `results`. Members the row numbers answer under their
// number too, as the engine's instances do.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "contract/Member.h"
#include "runtime/Coercions.h"
#include "runtime/Dispatch.h"
#include "runtime/Text.h"
#include "runtime/VbError.h"

namespace quindel::test {

class FakeControl : public Dispatch {
  public:
    std::map<std::string, Variant> props;    // by lower-case name
    std::set<std::string> missing;           // lower-case names that do not exist
    std::set<std::string> failing;           // lower-case names whose every access raises 380
    std::map<std::string, Variant> results;  // what a method returns, by lower-case name
    std::vector<std::string> log;

    explicit FakeControl(const contract::Row& row) : row_(row) {
        DispId next = kFirstId;
        for (const contract::Member& m : row.members) members_[m.id != 0 ? m.id : next++] = &m;
    }

    DispId GetIDOfName(std::string_view name) const override {
        const contract::Member* m = row_.Find(name);
        if (!m || missing.count(LCase(name))) throw VbError(438);
        for (const auto& [id, member] : members_)
            if (member == m) return id;
        throw VbError(438);
    }
    Variant Invoke(DispId id, CallKind kind, Args& args) override {
        const auto it = members_.find(id);
        if (it == members_.end() || !it->second->Takes(kind)) throw VbError(438);
        const std::string name = LCase(it->second->name);
        if (missing.count(name)) throw VbError(438);
        if (failing.count(name)) {
            log.push_back("fail " + name);
            throw VbError(380);
        }
        if (kind == CallKind::Get) {
            log.push_back("get " + name);
            return props[name];
        }
        if (kind == CallKind::Method) {
            log.push_back("call " + name);
            auto r = results.find(name);
            return r == results.end() ? Variant() : r->second;
        }
        props[name] = args.back();
        const Variant& v = args.back();
        log.push_back("let " + name + "=" + (v.isObject() ? std::string("<object>") : CStr(v)));
        return {};
    }

  private:
    static constexpr DispId kFirstId = 0x10000;  // above the numbers rows give their members

    contract::Row row_;
    std::map<DispId, const contract::Member*> members_;
};

}  // namespace quindel::test
