// SPDX-License-Identifier: GPL-3.0-or-later
#include "background_load.h"

#include <QCoreApplication>
#include <QThreadPool>

#include <condition_variable>
#include <mutex>
#include <optional>

// What the worker and the waiting thread share; the worker holds it until
// it ends, whatever became of the load.
struct BackgroundLoad::Shared {
    std::mutex mutex;
    std::condition_variable answered;
    bool abandoned = false;
    bool done = false;
    std::optional<QStringList> question; // map names of a choice not yet answered
    std::optional<int> answer;
    LoadedMap result;

    // With the mutex held. An abandoned load never wakes anyone: the
    // application may be on its way out.
    void wakeWaiter()
    {
        if (abandoned)
            return;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] {}, Qt::QueuedConnection);
    }

    int askForMap(const QStringList &names)
    {
        std::unique_lock lock(mutex);
        if (abandoned)
            return -1;
        question = names;
        wakeWaiter();
        answered.wait(lock, [this] { return answer.has_value() || abandoned; });
        const int choice = answer.value_or(-1);
        question.reset();
        answer.reset();
        return choice;
    }
};

BackgroundLoad::BackgroundLoad(Read read) : m_shared(std::make_shared<Shared>())
{
    // The global pool is joined when the application ends, so a worker
    // never outlives the libraries it uses.
    QThreadPool::globalInstance()->start([shared = m_shared, read = std::move(read)] {
        LoadedMap result = read([&shared](const QStringList &names) { return shared->askForMap(names); });
        const std::lock_guard lock(shared->mutex);
        if (!shared->abandoned)
            shared->result = std::move(result);
        shared->done = true;
        shared->wakeWaiter();
    });
}

BackgroundLoad::~BackgroundLoad()
{
    const std::lock_guard lock(m_shared->mutex);
    m_shared->abandoned = true;
    m_shared->answered.notify_all();
}

bool BackgroundLoad::finished(const MapChooser &chooseMap)
{
    std::unique_lock lock(m_shared->mutex);
    if (m_shared->question && !m_shared->answer) {
        const QStringList names = *m_shared->question;
        // The choice runs the waiting thread's event loop; the worker waits.
        lock.unlock();
        const int choice = chooseMap ? chooseMap(names) : -1;
        lock.lock();
        m_shared->answer = choice;
        m_shared->answered.notify_all();
    }
    return m_shared->done;
}

LoadedMap BackgroundLoad::take()
{
    const std::lock_guard lock(m_shared->mutex);
    // Taken: the destructor has nothing left to abandon but the worker's end.
    return std::move(m_shared->result);
}
