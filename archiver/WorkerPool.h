#pragma once
// A few threads that deflate pieces ahead of the writer. Pieces travel in
// batches (many small files make one batch), so that a thread wakes once per
// batch rather than once per file; the writer waits for batches in the order
// it wrote them out.

#include "archiver/ChunkCompressor.h"

#include <windows.h>

#include <deque>
#include <memory>
#include <thread>
#include <vector>

struct Batch {
    std::vector<Chunk*> chunks;
    size_t bytes = 0;
    bool submitted = false;
    bool done = false;  // guarded by the pool's lock
};

class WorkerPool {
public:
    WorkerPool(unsigned threads, int level);
    ~WorkerPool();  // batches not started are dropped; running ones finish first
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // Threads start with the first batch: a small addition never starts any.
    void Submit(const std::shared_ptr<Batch>& batch);
    bool Started() const { return !m_threads.empty(); }
    void Wait(const Batch& batch);

    // Threads to use on this machine.
    static unsigned DefaultThreads();

private:
    void Run(int level);

    unsigned m_count;
    int m_level;
    // Slim locks: under Wine they wait without a round trip to the server.
    SRWLOCK m_lock = SRWLOCK_INIT;
    CONDITION_VARIABLE m_work = CONDITION_VARIABLE_INIT;
    CONDITION_VARIABLE m_done = CONDITION_VARIABLE_INIT;
    std::deque<std::shared_ptr<Batch>> m_queue;
    bool m_stop = false;
    std::vector<std::thread> m_threads;
};
