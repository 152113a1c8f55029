#include "startup/teardown.h"

#include <utility>

void tteardown::Created(EngineService service, std::function<void()> release) {
    releases[static_cast<size_t>(service)] = std::move(release);
}

bool tteardown::IsCreated(EngineService service) const {
    return static_cast<bool>(releases[static_cast<size_t>(service)]);
}

void tteardown::Run() {
    for (auto& release : releases) {
        // Take it out first, so a release that fails half-way is never run twice.
        std::function<void()> step = std::move(release);
        release = nullptr;
        if (step) step();
    }
}
