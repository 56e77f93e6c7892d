#pragma once
// A few threads that deflate pieces ahead of the writer. The writer hands in
// pieces in archive order and waits for each in that same order.

#include "archiver/ChunkCompressor.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

class WorkerPool {
public:
    WorkerPool(unsigned threads, int level);
    ~WorkerPool();  // pieces not started are dropped; running ones finish first
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    void Submit(Chunk* chunk);
    void Wait(const Chunk* chunk);

    // Threads to use on this machine.
    static unsigned DefaultThreads();

private:
    void Run(int level);

    std::mutex m_mutex;
    std::condition_variable m_work;
    std::condition_variable m_done;
    std::deque<Chunk*> m_queue;
    std::vector<const Chunk*> m_finished;
    bool m_stop = false;
    std::vector<std::thread> m_threads;
};
