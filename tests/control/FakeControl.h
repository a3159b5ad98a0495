#pragma once
// A host display control for tests: any property can be read and written, every access is
// logged, names listed as missing raise 438 as a control without that member would, names listed
// as failing raise 380 on every access, and methods answer from `results`.
#include <map>
#include <set>
#include <string>
#include <vector>

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

    DispId GetIDOfName(std::string_view name) const override {
        const std::string key = LCase(name);
        if (missing.count(key)) throw VbError(438);
        auto it = ids_.find(key);
        if (it != ids_.end()) return it->second;
        const DispId id = DispId(ids_.size() + 1);
        ids_[key] = id;
        names_[id] = key;
        return id;
    }
    Variant Invoke(DispId id, CallKind kind, Args& args) override {
        const std::string& name = names_.at(id);
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
            auto it = results.find(name);
            return it == results.end() ? Variant() : it->second;
        }
        props[name] = args.back();
        const Variant& v = args.back();
        log.push_back("let " + name + "=" + (v.isObject() ? std::string("<object>") : CStr(v)));
        return {};
    }

  private:
    mutable std::map<std::string, DispId> ids_;
    mutable std::map<DispId, std::string> names_;
};

}  // namespace quindel::test
