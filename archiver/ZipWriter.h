#pragma once
// Writes entries at the archive file's current position: for each entry a
// local header, then its data: pieces deflated ahead on the worker threads,
// taken in order, encrypted and written. Records what the central directory
// needs. Memory stays bounded whatever the file sizes.

#include "archiver/EntryRecord.h"
#include "archiver/OutputFile.h"
#include "archiver/SourceTree.h"
#include "archiver/Status.h"
#include "archiver/WorkerPool.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

struct WriterOptions {
    std::wstring base;  // long base folder the entry names are relative to (LongFolder)
    bool encrypt = false;
    std::string password;
    int level = 6;
    unsigned threads = 1;
    size_t aheadBytes = 8 * 1024 * 1024;  // input read ahead of the writer, at most
    size_t batchBytes = 512 * 1024;       // input per batch handed to a thread
};

class ZipWriter {
public:
    ZipWriter(OutputFile& out, const WriterOptions& options);
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    Status Add(const std::vector<SourceEntry>& entries, std::vector<EntryRecord>& records);

private:
    struct Pending {
        size_t entry;                  // index into the entries and records
        std::unique_ptr<Chunk> chunk;  // none for a folder
        std::shared_ptr<Batch> batch;  // the one that compresses it
    };
    struct Current {
        uint64_t dataStart = 0;
        uint64_t compressed = 0;
        uint64_t size = 0;
        uint32_t crc = 0;
        std::string header;
    };

    Status ReadFile(size_t index, const SourceEntry& source);
    Status WriteOldest();
    Status StartEntry(EntryRecord& r);
    Status WriteData(std::string& data);
    Status FinishEntry(EntryRecord& r);
    Status RewriteStored(EntryRecord& r, const SourceEntry& source);

    OutputFile& m_out;
    WriterOptions m_options;
    const std::vector<SourceEntry>* m_entries = nullptr;
    std::vector<EntryRecord>* m_records = nullptr;
    std::vector<FILETIME> m_opened;  // each file's time when it was read
    std::unique_ptr<class ZipCrypto> m_crypto;
    Current m_current;
    size_t m_ahead = 0;
    std::shared_ptr<Batch> m_open;  // filling up, not yet handed to the pool
    std::unique_ptr<ChunkCompressor> m_inline;  // for a last small batch when no thread runs
    std::deque<Pending> m_pending;  // declared before the pool: pieces outlive its threads
    WorkerPool m_pool;
};

// DOS date and time (local) and the UTC Unix time of a file time.
void SetEntryTimes(EntryRecord& r, FILETIME modified);
