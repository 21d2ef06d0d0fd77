// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map_load.h"

#include <functional>
#include <memory>

// A load that runs on a worker thread while the thread that started it (the
// window's) waits and keeps its window painting. The read owns everything it
// works on, its own document and picture included, so the window stays as it
// was until it takes the result. A choice of map the read asks for is put to
// the waiting thread, which answers it when it next looks at finished().
//
// Destroying an unfinished or untaken load abandons it: a choice it waits for
// comes back as none, and the worker runs to its end on its own (the page
// parser is held to a CPU limit, so it always ends) and throws its result
// away. After that the worker touches nothing of the caller's.
class BackgroundLoad {
public:
    using Read = std::function<LoadedMap(const MapChooser &chooseMap)>;

    explicit BackgroundLoad(Read read);
    ~BackgroundLoad();
    BackgroundLoad(const BackgroundLoad &) = delete;
    BackgroundLoad &operator=(const BackgroundLoad &) = delete;

    // On the waiting thread, whenever it wakes: answers a choice of map the
    // read waits for with chooseMap, then tells whether the read is over.
    // The worker wakes the waiting thread's event loop when it asks and when
    // it ends.
    bool finished(const MapChooser &chooseMap);

    // The load's result, once finished() said so.
    LoadedMap take();

private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
};
