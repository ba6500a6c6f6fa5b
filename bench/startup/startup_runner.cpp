// Start-up to the first window: starts each program in turn, in rounds alternating
// with the two yardsticks (the bare window and the window with one Chinese caption),
// and times from the start to the X server's MapNotify of its first top-level window.
// Prints, per program, the median and its ratios to the yardsticks' medians. With
// --instructions=DIR it starts each once under callgrind instead (files in DIR) and
// prints the instructions run to the first window.
//   startup_runner ROUNDS|--instructions=DIR BARE CAPTION PROGRAM...   (DISPLAY must
//   name a server with no window manager, so that top-level windows are children of
//   the root; a PROGRAM of the form "path arg" is started with that one argument,
//   and one of the form "label=path" is printed under that label)
#include <xcb/xcb.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
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

struct Program {
    std::string label;
    std::string file;
    std::string arg;  // empty: none
};

// "label=path arg", "path arg" or "path": the label defaults to the file's name.
Program parse(const std::string& line) {
    Program p;
    std::string rest = line;
    const std::size_t eq = rest.find('=');
    if (eq != std::string::npos && rest.find('/') > eq) {
        p.label = rest.substr(0, eq);
        rest = rest.substr(eq + 1);
    }
    const std::size_t space = rest.find(' ');
    p.file = rest.substr(0, space);
    if (space != std::string::npos) p.arg = rest.substr(space + 1);
    if (p.label.empty()) p.label = p.file.substr(p.file.find_last_of('/') + 1);
    return p;
}

struct Start {
    double wallMs = -1;  // spawn to the map of the first top-level window; negative: none in 30 s
    double cpuMs = -1;   // processor time the program used until it was stopped, all threads
};

void dropPendingEvents(xcb_connection_t* x) {
    while (xcb_generic_event_t* stale = xcb_poll_for_event(x)) std::free(stale);
}

// Waits until a top-level window maps; false when none did within `limit` of `start`.
bool waitForMap(xcb_connection_t* x, Clock::time_point start, std::chrono::seconds limit) {
    const int fd = xcb_get_file_descriptor(x);
    while (Clock::now() - start < limit) {
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
        if (mapped) return true;
    }
    return false;
}

// Starts `args` (found on PATH), its output dropped when `quiet`.
pid_t spawn(std::vector<std::string> args, bool quiet = false) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
    }
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed ? -1 : pid;
}

std::vector<std::string> command(const Program& program) {
    std::vector<std::string> args = {program.file};
    if (!program.arg.empty()) args.push_back(program.arg);
    return args;
}

Start timeToFirstWindow(xcb_connection_t* x, const Program& program) {
    dropPendingEvents(x);
    Start result;
    const auto start = Clock::now();
    const pid_t pid = spawn(command(program));
    if (pid < 0) return result;
    if (waitForMap(x, start, std::chrono::seconds(30)))
        result.wallMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    kill(pid, SIGKILL);
    rusage used{};
    wait4(pid, nullptr, 0, &used);
    result.cpuMs = (used.ru_utime.tv_sec + used.ru_stime.tv_sec) * 1e3 +
                   (used.ru_utime.tv_usec + used.ru_stime.tv_usec) / 1e3;
    return result;
}

// Instructions the program ran to its first window, counted by callgrind and dumped
// (callgrind_control) as the window maps: the same on a busy machine as on an idle
// one. Negative when no window or no count came.
double instructionsToFirstWindow(xcb_connection_t* x, const Program& program, const std::string& out) {
    dropPendingEvents(x);
    std::vector<std::string> args = {"valgrind", "-q", "--tool=callgrind", "--callgrind-out-file=" + out};
    for (const std::string& a : command(program)) args.push_back(a);
    const pid_t pid = spawn(args);
    if (pid < 0) return -1;
    if (waitForMap(x, Clock::now(), std::chrono::seconds(300))) {
        const pid_t dump = spawn({"callgrind_control", "--dump", std::to_string(pid)}, true);
        if (dump > 0) waitpid(dump, nullptr, 0);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    double count = -1;
    // The first dump is the file's name with ".1" appended; its "summary:" line holds the count.
    if (std::FILE* f = std::fopen((out + ".1").c_str(), "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, f))
            if (std::sscanf(line, "summary: %lf", &count) == 1) break;
        std::fclose(f);
    }
    return count;
}

// The three starts of one slot: bare window, caption window, program.
using Slot = std::array<Start, 3>;

void print(const char* measure, double Start::*field, const std::string& label, const std::vector<Slot>& slots,
           std::size_t who) {
    std::array<std::vector<double>, 3> t;
    for (const Slot& s : slots)
        for (std::size_t k = 0; k < 3; ++k) t[k].push_back(s[k].*field);
    const double bare = median(t[0]), caption = median(t[1]), own = median(t[who]);
    std::printf("%-7s %-22s %8.1f %6.2f %6.2f\n", measure, label.c_str(), own, own / caption, own / bare);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s ROUNDS|--instructions=DIR BARE CAPTION PROGRAM...\n", argv[0]);
        return 2;
    }
    const std::string first = argv[1];
    const std::string countIn = first.rfind("--instructions=", 0) == 0 ? first.substr(15) : std::string();
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

    const Program bare = parse(argv[2]), caption = parse(argv[3]);
    std::vector<Program> programs;
    for (int i = 4; i < argc; ++i) programs.push_back(parse(argv[i]));
    if (!countIn.empty()) {
        // One start each: the counts hardly vary from one start to the next.
        std::printf("# instr PROGRAM MILLION_INSTRUCTIONS RATIO_TO_CAPTION_WINDOW RATIO_TO_BARE_WINDOW\n");
        std::vector<const Program*> all = {&bare, &caption};
        for (const Program& p : programs) all.push_back(&p);
        std::vector<double> counts;
        for (std::size_t i = 0; i < all.size(); ++i)
            counts.push_back(instructionsToFirstWindow(x, *all[i], countIn + "/" + std::to_string(i) + ".out"));
        for (std::size_t i = 0; i < all.size(); ++i) {
            const std::string label = i == 0 ? "bare_window" : i == 1 ? "caption_window" : all[i]->label;
            if (counts[i] < 0 || counts[0] <= 0 || counts[1] <= 0) {
                std::fprintf(stderr, "startup_runner: no count for %s\n", all[i]->file.c_str());
                continue;
            }
            std::printf("instr   %-22s %8.1f %6.2f %6.2f\n", label.c_str(), counts[i] / 1e6, counts[i] / counts[1],
                        counts[i] / counts[0]);
        }
        xcb_disconnect(x);
        return 0;
    }
    std::vector<std::vector<Slot>> slots(programs.size());
    // The six orders of the three starts, one per round in turn, so that a change of
    // load on the machine, or a cache warmed by the one before, falls on all alike.
    constexpr std::array<std::array<std::size_t, 3>, 6> kOrders = {
        {{0, 1, 2}, {2, 1, 0}, {1, 2, 0}, {0, 2, 1}, {2, 0, 1}, {1, 0, 2}}};
    for (int r = 0; r < rounds; ++r) {
        for (std::size_t i = 0; i < programs.size(); ++i) {
            const Program* who[3] = {&bare, &caption, &programs[i]};
            Slot s{};
            bool ok = true;
            for (std::size_t k : kOrders[static_cast<std::size_t>(r) % kOrders.size()]) {
                s[k] = timeToFirstWindow(x, *who[k]);
                if (s[k].wallMs < 0) {
                    std::fprintf(stderr, "startup_runner: no window from %s\n", who[k]->file.c_str());
                    ok = false;
                    break;
                }
            }
            if (ok) slots[i].push_back(s);
        }
    }
    // Columns: median ms to the first window, ratio to the caption window's median,
    // ratio to the bare window's median, each yardstick's starts those of its rounds.
    std::vector<Slot> all;
    for (const auto& s : slots) all.insert(all.end(), s.begin(), s.end());
    // "startup" lines time the first window; "cpu" lines the processor time used to
    // it, which other work on the machine changes far less.
    std::printf("# %d rounds; startup|cpu PROGRAM MEDIAN_MS RATIO_TO_CAPTION_WINDOW RATIO_TO_BARE_WINDOW\n", rounds);
    for (auto [measure, field] : {std::pair{"startup", &Start::wallMs}, std::pair{"cpu", &Start::cpuMs}}) {
        if (!all.empty()) {
            print(measure, field, "bare_window", all, 0);
            print(measure, field, "caption_window", all, 1);
        }
        for (std::size_t i = 0; i < programs.size(); ++i)
            if (!slots[i].empty()) print(measure, field, programs[i].label, slots[i], 2);
    }
    xcb_disconnect(x);
    return 0;
}
