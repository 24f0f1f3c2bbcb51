#include "universe/WorkerPools.h"
#include "HeldJobPool.h"

#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

namespace {

// A value that counts the times it is freed and notes the thread that freed it last;
// what it was moved from counts nothing.
struct Witness
{
    struct Record
    {
        std::atomic<int> freed = 0;
        std::atomic<QThread *> thread = nullptr;
    };
    std::shared_ptr<Record> record;

    explicit Witness(std::shared_ptr<Record> r) : record(std::move(r)) {}
    Witness(Witness &&) = default;
    ~Witness()
    {
        if (record) {
            record->thread = QThread::currentThread();
            ++record->freed;
        }
    }
};

// Values handed over wait for a job thread and are freed there, each once: the
// caller's thread lets go of nothing, and the caller's own shares stay as they were.
TEST(WorkerPoolsTest, ValuesHandedOverAreFreedOnceOnAJobThread)
{
    const auto record = std::make_shared<Witness::Record>();
    const QList<int> shared{1, 2, 3};
    HeldJobPool held;
    freeOnWorker(Witness(record), QList<int>(shared));
    EXPECT_EQ(record->freed, 0);
    EXPECT_FALSE(shared.isDetached()); // the job holds the other share

    held.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shared.isDetached() && record->freed > 0; }, 60000));
    EXPECT_EQ(record->freed, 1);
    EXPECT_NE(record->thread, QThread::currentThread());
    EXPECT_EQ(shared, (QList<int>{1, 2, 3}));
}

} // namespace
