#include "app/WorkQueue.h"

#include <QCoreApplication>
#include <QMetaObject>

void WorkQueueInline::post(QObject* context, std::function<void()> work,
                           std::function<void()> done) {
    const QPointer<QObject> alive(context);
    work();
    if (alive)
        done();
}

WorkQueueThread::WorkQueueThread() {
    // One at a time: a pick never overtakes the one before it, and image.bmp has one writer.
    m_pool.setMaxThreadCount(1);
    m_pool.setExpiryTimeout(-1);
}

WorkQueueThread::~WorkQueueThread() {
    m_pool.waitForDone();
}

void WorkQueueThread::post(QObject* context, std::function<void()> work,
                           std::function<void()> done) {
    QPointer<QObject> alive(context);
    m_pool.start([alive = std::move(alive), work = std::move(work), done = std::move(done)] {
        work();
        // Through the application object, which outlives every window: the window's pointer is
        // looked at on its own thread only.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [alive, done] {
                if (alive)
                    done();
            },
            Qt::QueuedConnection);
    });
}

void WorkQueueThread::waitForAll() {
    m_pool.waitForDone();
}
