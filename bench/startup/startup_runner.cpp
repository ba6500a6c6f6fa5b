// Start-up to the first window: starts each program in turn, alternating with
// the bare window, and times from the start to the X server's MapNotify of its
// first top-level window. Prints medians and each program's ratio to the bare one.
//   startup_runner ROUNDS BARE PROGRAM...   (DISPLAY must name a server with no
//   window manager, so that top-level windows are children of the root; a
//   PROGRAM of the form "path arg" is started with that one argument)
#include <xcb/xcb.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Milliseconds from spawning `path` to the map of its first top-level window, or
// a negative value when none came within 30 s.
double timeToFirstWindow(xcb_connection_t* x, const std::string& path) {
    while (xcb_generic_event_t* stale = xcb_poll_for_event(x)) std::free(stale);
    const auto start = Clock::now();
    pid_t pid = 0;
    const std::size_t space = path.find(' ');
    std::string file = path.substr(0, space);
    std::string arg = space == std::string::npos ? std::string() : path.substr(space + 1);
    char* argv[] = {file.data(), arg.empty() ? nullptr : arg.data(), nullptr};
    if (posix_spawn(&pid, file.c_str(), nullptr, nullptr, argv, environ) != 0) return -1;
    double ms = -1;
    const int fd = xcb_get_file_descriptor(x);
    while (Clock::now() - start < std::chrono::seconds(30)) {
        xcb_generic_event_t* event = xcb_poll_for_event(x);
        if (!event) {
            fd_set ready;
            FD_ZERO(&ready);
            FD_SET(fd, &ready);
            timeval wait{0, 100000};
            select(fd + 1, &ready, nullptr, nullptr, &wait);
            continue;
        }
        const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
        std::free(event);
        if (mapped) {
            ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            break;
        }
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s ROUNDS BARE PROGRAM...\n", argv[0]);
        return 2;
    }
    const int rounds = std::max(1, std::atoi(argv[1]));
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "startup_runner: no X display\n");
        return 1;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    const std::string bare = argv[2];
    std::vector<std::string> programs(argv + 3, argv + argc);
    std::vector<std::vector<double>> times(programs.size());
    std::vector<std::vector<double>> bareTimes(programs.size());
    for (int r = 0; r < rounds; ++r) {
        for (std::size_t i = 0; i < programs.size(); ++i) {
            // Bare and program back to back, in alternating order, so load
            // changes on the machine fall on both alike.
            const bool bareFirst = r % 2 == 0;
            const double a = timeToFirstWindow(x, bareFirst ? bare : programs[i]);
            const double b = timeToFirstWindow(x, bareFirst ? programs[i] : bare);
            const double p = bareFirst ? b : a, q = bareFirst ? a : b;
            if (p < 0 || q < 0) {
                std::fprintf(stderr, "startup_runner: no window from %s\n", (p < 0 ? programs[i] : bare).c_str());
                continue;
            }
            times[i].push_back(p);
            bareTimes[i].push_back(q);
        }
    }
    std::printf("%-28s %10s %10s %7s %6s\n", "program", "median ms", "bare ms", "ratio", "runs");
    for (std::size_t i = 0; i < programs.size(); ++i) {
        if (times[i].empty()) continue;
        const std::string name = programs[i].substr(programs[i].find_last_of('/', programs[i].find(' ')) + 1);
        const double m = median(times[i]), b = median(bareTimes[i]);
        std::printf("%-28s %10.1f %10.1f %7.2f %6zu\n", name.c_str(), m, b, m / b, times[i].size());
    }
    xcb_disconnect(x);
    return 0;
}
