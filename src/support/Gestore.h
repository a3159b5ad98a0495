#pragma once
// The classic error handler of one procedure, as a scope: each step runs in turn; a step that
// fails with a run-time error is reported through GestioneErrore under the procedure's name and,
// when the user answers Retry, runs again; any other answer abandons the procedure: the steps that
// follow are skipped and the procedure leaves by its normal exit. Only run-time errors (VbError)
// are handled; a programming error passes through untouched.
#include <string>
#include <utility>

#include "platform/MessageBox.h"
#include "runtime/VbError.h"
#include "support/Export.h"
#include "support/ModErrori.h"

QUINDEL_API_BEGIN

namespace quindel {

class Gestore {
  public:
    Gestore(platform::Platform& p, std::string nomeProcedura)
        : platform_(p), nome_(std::move(nomeProcedura)) {}

    // Runs step unless the procedure was abandoned; returns whether it completed.
    template <class F>
    bool operator()(F&& step) {
        while (!abbandonato_) {
            try {
                step();
                return true;
            } catch (const VbError& e) {
                if (GestioneErrore(platform_, nome_, e.number()) != platform::mb::Retry)
                    abbandonato_ = true;
            }
        }
        return false;
    }

    bool Abbandonato() const { return abbandonato_; }

  private:
    platform::Platform& platform_;
    std::string nome_;
    bool abbandonato_ = false;
};

}  // namespace quindel

QUINDEL_API_END
