// One user action as one store transaction: a save of all switches, an icon walk,
// an import. The operations inside keep their own behaviour (each opens, uses and
// closes its key, and a failing one changes nothing and is reported as before), but
// what they write is kept only when the batch commits, and then all at once.
#pragma once

#include "registry/general.h"
#include "registry/registry_api.h"

namespace registry {

class Batch {
public:
    explicit Batch(RegistryApi& api) : api_(api), status_(api.beginBatch()), open_(status_ == ERROR_SUCCESS) {}
    explicit Batch(General& general) : Batch(general.api()) {}
    // A batch left without commit() is undone: nothing written inside it is kept.
    ~Batch() {
        if (open_) api_.abandonBatch();
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

    // Keeps everything written since the batch opened, durably, or nothing of it.
    // ERROR_SUCCESS, or why nothing was kept (the store was busy past its timeout,
    // the disk was full, the store could not be used). A batch inside another one
    // joins it: only the outermost commit stores.
    LONG commit() {
        if (!open_) return status_;
        open_ = false;
        status_ = api_.commitBatch();
        return status_;
    }

private:
    RegistryApi& api_;
    LONG status_;
    bool open_;
};

}  // namespace registry
