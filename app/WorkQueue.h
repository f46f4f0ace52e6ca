#pragma once

#include <QPointer>
#include <QThreadPool>

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

class QObject;

// Runs the heavy part of a command (decoding, scaling, writing image.bmp, talking to the
// desktop) away from the interface thread, one piece at a time in the order posted, and hands
// the end of each piece back to the interface thread.
class WorkQueue {
public:
    virtual ~WorkQueue() = default;
    // Queues `work`; once it has run, `done` runs on the interface thread unless `context` is
    // gone by then. `work` touches no widget and nothing the interface thread may change
    // meanwhile.
    virtual void post(QObject* context, std::function<void()> work, std::function<void()> done) = 0;
    // Returns once every piece posted so far has run (their `done` may still be to come).
    virtual void waitForAll() = 0;
};

// Runs each piece at once on the caller's thread, `done` included, before post returns.
class WorkQueueInline : public WorkQueue {
public:
    void post(QObject* context, std::function<void()> work, std::function<void()> done) override;
    void waitForAll() override {}
};

// One worker thread; `done` comes through the interface thread's event loop.
class WorkQueueThread : public WorkQueue {
public:
    WorkQueueThread();
    // Waits for the piece in flight and every one queued.
    ~WorkQueueThread() override;
    void post(QObject* context, std::function<void()> work, std::function<void()> done) override;
    void waitForAll() override;

private:
    QThreadPool m_pool;
};

// What a piece of work gave: its result, or the error it threw, to be rethrown where the
// result is used.
template <typename Result> struct WorkOutcome {
    std::optional<Result> value;
    std::exception_ptr error;
    Result take() {
        if (error)
            std::rethrow_exception(error);
        return std::move(*value);
    }
};

// Posts `work`, which returns a result, and hands its outcome to `done`.
template <typename Work, typename Done>
void postWork(WorkQueue& queue, QObject* context, Work work, Done done) {
    using Result = std::invoke_result_t<Work&>;
    auto outcome = std::make_shared<WorkOutcome<Result>>();
    queue.post(
        context,
        [outcome, work = std::move(work)]() mutable {
            try {
                outcome->value.emplace(work());
            } catch (...) {
                outcome->error = std::current_exception();
            }
        },
        [outcome, done = std::move(done)]() mutable { done(*outcome); });
}
