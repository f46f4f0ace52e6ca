#pragma once

#include "app/WorkQueue.h"

#include <QObject>
#include <QPointer>

#include <deque>
#include <functional>

// A worker that runs nothing until the test releases it, one piece at a time, in the order
// posted, as the worker thread and the event loop would. It records how often it was waited for.
class FakeWorkQueue : public WorkQueue {
public:
    void post(QObject* context, std::function<void()> work, std::function<void()> done) override {
        m_pieces.push_back({context, std::move(work), std::move(done), false});
    }
    // Runs the work of every piece still queued; their ends stay for release().
    void waitForAll() override {
        ++waits;
        for (Piece& piece : m_pieces)
            if (!piece.ran) {
                piece.ran = true;
                piece.work();
            }
    }
    // Runs the next piece and hands its end back. False when nothing is queued.
    bool release() {
        if (m_pieces.empty())
            return false;
        Piece piece = std::move(m_pieces.front());
        m_pieces.pop_front();
        if (!piece.ran)
            piece.work();
        if (piece.context)
            piece.done();
        return true;
    }
    void releaseAll() {
        while (release()) {
        }
    }
    std::size_t queued() const { return m_pieces.size(); }

    int waits = 0;

private:
    struct Piece {
        QPointer<QObject> context;
        std::function<void()> work;
        std::function<void()> done;
        bool ran;
    };
    std::deque<Piece> m_pieces;
};
