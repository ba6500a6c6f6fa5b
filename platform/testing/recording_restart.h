// A restart request that only counts.
#pragma once

#include "platform/restart.h"

namespace platform::testing {

class RecordingRestart final : public RestartRequest {
public:
    int requests = 0;
    bool request() override {
        ++requests;
        return true;
    }
};

}  // namespace platform::testing
