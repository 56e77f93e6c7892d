#include "archiver/ChunkCompressor.h"

#include <zlib.h>

ChunkCompressor::ChunkCompressor(int level) : m_stream(new z_stream())
{
    // Raw deflate (no zlib wrapper), as ZIP stores it.
    m_ready = deflateInit2(m_stream, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) == Z_OK;
}

ChunkCompressor::~ChunkCompressor()
{
    if (m_ready) deflateEnd(m_stream);
    delete m_stream;
}

void ChunkCompressor::Compress(Chunk& chunk)
{
    Deflate(chunk);
    // Keep only what will be written, so pieces waiting for the writer stay small.
    chunk.stored = !chunk.failed && chunk.first && chunk.last && chunk.output.size() >= chunk.input.size();
    if (chunk.stored) std::string().swap(chunk.output);
    else std::string().swap(chunk.input);
    std::string().swap(chunk.dictionary);
}

void ChunkCompressor::Deflate(Chunk& chunk)
{
    chunk.crc = uint32_t(crc32(0, reinterpret_cast<const Bytef*>(chunk.input.data()), uInt(chunk.input.size())));
    chunk.failed = !m_ready || deflateReset(m_stream) != Z_OK;
    if (chunk.failed) return;
    if (!chunk.dictionary.empty() &&
        deflateSetDictionary(m_stream, reinterpret_cast<const Bytef*>(chunk.dictionary.data()),
                             uInt(chunk.dictionary.size())) != Z_OK) {
        chunk.failed = true;
        return;
    }
    // Room for the worst case plus the flush marker.
    const size_t room = deflateBound(m_stream, uLong(chunk.input.size())) + 16;
    if (m_scratch.size() < room) m_scratch.resize(room);
    m_stream->next_in = reinterpret_cast<Bytef*>(&chunk.input[0]);
    m_stream->avail_in = uInt(chunk.input.size());
    m_stream->next_out = reinterpret_cast<Bytef*>(&m_scratch[0]);
    m_stream->avail_out = uInt(room);
    const int flush = chunk.last ? Z_FINISH : Z_SYNC_FLUSH;
    const int rc = deflate(m_stream, flush);
    const bool done = chunk.last ? rc == Z_STREAM_END : (rc == Z_OK && m_stream->avail_in == 0 && m_stream->avail_out != 0);
    chunk.failed = !done;
    chunk.output.assign(m_scratch, 0, room - m_stream->avail_out);
}
