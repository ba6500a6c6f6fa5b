// Asking the system to restart the computer.
#pragma once

#include <string>

namespace platform {

class RestartRequest {
public:
    virtual ~RestartRequest() = default;
    // Sends the request and returns at once; true when it could be sent.
    virtual bool request() = 0;
};

// The real request: on Linux, logind's Reboot through busctl (falling back to
// `systemctl reboot`), started detached and never waited for. When the environment
// variable SUITE_RESTART_LOG names a file, a line is appended there instead and
// nothing else happens (the test sandbox sets it).
class SystemRestart final : public RestartRequest {
public:
    bool request() override;
};

}  // namespace platform
