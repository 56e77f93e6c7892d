#include "archiver/WorkerPool.h"

#include <algorithm>

WorkerPool::WorkerPool(unsigned threads, int level)
{
    for (unsigned i = 0; i < std::max(1u, threads); ++i) m_threads.emplace_back([this, level] { Run(level); });
}

WorkerPool::~WorkerPool()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
        m_queue.clear();
    }
    m_work.notify_all();
    for (std::thread& t : m_threads) t.join();
}

unsigned WorkerPool::DefaultThreads()
{
    return std::min(16u, std::max(1u, std::thread::hardware_concurrency()));
}

void WorkerPool::Submit(Chunk* chunk)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_queue.push_back(chunk);
    }
    m_work.notify_one();
}

void WorkerPool::Wait(const Chunk* chunk)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        auto it = std::find(m_finished.begin(), m_finished.end(), chunk);
        if (it != m_finished.end()) {
            m_finished.erase(it);
            return;
        }
        m_done.wait(lock);
    }
}

void WorkerPool::Run(int level)
{
    ChunkCompressor compressor(level);
    for (;;) {
        Chunk* chunk = nullptr;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_work.wait(lock, [this] { return m_stop || !m_queue.empty(); });
            if (m_stop) return;
            chunk = m_queue.front();
            m_queue.pop_front();
        }
        compressor.Compress(*chunk);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_finished.push_back(chunk);
        }
        m_done.notify_all();
    }
}
