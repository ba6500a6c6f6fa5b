// A key opened for one reg command and closed when the command is done with it.
#pragma once

#include "registry/reg/key_arg.h"
#include "registry/registry_api.h"

namespace registry::reg {

class OpenKey {
public:
    OpenKey(RegistryApi& api, const KeyArg& key, DWORD access) : api_(api) {
        status_ = api.RegOpenKeyExA(key.root, key.subKey, 0, access, &handle_);
    }
    ~OpenKey() {
        if (status_ == ERROR_SUCCESS) api_.RegCloseKey(handle_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    LONG status() const { return status_; }
    HKEY handle() const { return handle_; }

private:
    RegistryApi& api_;
    HKEY handle_ = 0;
    LONG status_;
};

}  // namespace registry::reg
