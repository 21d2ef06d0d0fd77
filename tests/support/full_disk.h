// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/resource.h>

#include <csignal>

// While it lives, no file this process writes grows past the given size:
// writing beyond it fails as it does on a full disk. Unlike a folder's
// permissions, this stops root as well.
class FullDisk {
public:
    explicit FullDisk(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        // The kernel signals the overflow; the write's failure is what counts.
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit full{bytes, m_saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &full);
    }
    ~FullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

private:
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
};
