#pragma once
// Deflate of one piece of a file. A file is cut into pieces that are
// compressed independently (on any thread) yet form one deflate stream when
// written in order: each piece is primed with the 32 KiB before it and ends
// on a byte boundary (a sync flush), the last one ends the stream.

#include <cstddef>
#include <cstdint>
#include <string>

struct z_stream_s;

struct Chunk {
    std::string input;       // released once compressed, unless it is what gets stored
    size_t size = 0;         // of the input
    std::string dictionary;  // the input's last 32 KiB before this piece
    bool first = true;
    bool last = true;
    // Results.
    std::string output;      // released when the input is stored instead
    bool stored = false;     // a whole file that deflate would not shrink
    uint32_t crc = 0;
    bool failed = false;
};

// One deflate state, reused for every piece a thread compresses.
class ChunkCompressor {
public:
    explicit ChunkCompressor(int level);
    ~ChunkCompressor();
    ChunkCompressor(const ChunkCompressor&) = delete;
    ChunkCompressor& operator=(const ChunkCompressor&) = delete;

    void Compress(Chunk& chunk);

private:
    void Deflate(Chunk& chunk);

    z_stream_s* m_stream;
    bool m_ready;
    std::string m_scratch;
};

constexpr size_t kChunkSize = 256 * 1024;
constexpr size_t kDictionarySize = 32 * 1024;
