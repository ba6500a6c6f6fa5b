// reg: the suite's registry store from the command line.
#include <iostream>

#include "registry/reg/reg.h"
#include "registry/sqlite_store.h"

int main(int argc, char** argv) {
    registry::reg::Args args(argv + 1, argv + argc);
    if (std::optional<int> status = registry::reg::answerWithoutStore(args, std::cout)) return *status;
    registry::SqliteStore store(registry::suiteStorePath());
    registry::reg::Context ctx{store, std::cout, std::cerr, std::cin, [&store] { return store.problem(); }};
    if (!store.ok()) return registry::reg::fail(ctx, store.problem());
    return registry::reg::run(ctx, args);
}
