#include "archiver/WorkerPool.h"

#include <algorithm>

WorkerPool::WorkerPool(unsigned threads, int level) : m_count(std::max(1u, threads)), m_level(level) {}

WorkerPool::~WorkerPool()
{
    AcquireSRWLockExclusive(&m_lock);
    m_stop = true;
    m_queue.clear();
    ReleaseSRWLockExclusive(&m_lock);
    WakeAllConditionVariable(&m_work);
    for (std::thread& t : m_threads) t.join();
}

unsigned WorkerPool::DefaultThreads()
{
    return std::min(16u, std::max(1u, std::thread::hardware_concurrency()));
}

void WorkerPool::Submit(const std::shared_ptr<Batch>& batch)
{
    batch->submitted = true;
    if (m_threads.empty())
        for (unsigned i = 0; i < m_count; ++i) m_threads.emplace_back([this] { Run(m_level); });
    AcquireSRWLockExclusive(&m_lock);
    m_queue.push_back(batch);
    ReleaseSRWLockExclusive(&m_lock);
    WakeConditionVariable(&m_work);
}

void WorkerPool::Wait(const Batch& batch)
{
    AcquireSRWLockExclusive(&m_lock);
    while (!batch.done) SleepConditionVariableSRW(&m_done, &m_lock, INFINITE, 0);
    ReleaseSRWLockExclusive(&m_lock);
}

void WorkerPool::Run(int level)
{
    ChunkCompressor compressor(level);
    for (;;) {
        AcquireSRWLockExclusive(&m_lock);
        while (!m_stop && m_queue.empty()) SleepConditionVariableSRW(&m_work, &m_lock, INFINITE, 0);
        if (m_stop) {
            ReleaseSRWLockExclusive(&m_lock);
            return;
        }
        std::shared_ptr<Batch> batch = m_queue.front();
        m_queue.pop_front();
        ReleaseSRWLockExclusive(&m_lock);

        for (Chunk* chunk : batch->chunks) {
            try {
                compressor.Compress(*chunk);
            } catch (...) {  // out of memory: the writer reports it, the process lives on
                chunk->failed = true;
            }
        }

        AcquireSRWLockExclusive(&m_lock);
        batch->done = true;
        ReleaseSRWLockExclusive(&m_lock);
        WakeAllConditionVariable(&m_done);
    }
}
