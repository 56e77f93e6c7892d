#include "archiver/ZipWriter.h"

#include "archiver/AnsiText.h"
#include "archiver/SourceFile.h"
#include "archiver/ZipCrypto.h"
#include "archiver/ZipFormat.h"

#include <zlib.h>

#include <climits>

using namespace zipfmt;

namespace {

constexpr uint32_t kDosAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE;

std::string Shown(const std::wstring& name)
{
    std::string s;
    if (!ansi::FromWide(name, s)) s = ansi::ToUtf8(name);
    return s;
}

} // namespace

void SetEntryTimes(EntryRecord& r, FILETIME modified)
{
    FILETIME local;
    WORD date = 0, time = 0;
    if (FileTimeToLocalFileTime(&modified, &local) && FileTimeToDosDateTime(&local, &date, &time)) {
        r.dosDate = date;
        r.dosTime = time;
    } else {
        r.dosDate = (0 << 9) | (1 << 5) | 1;  // 1980-01-01, the earliest DOS date
        r.dosTime = 0;
    }
    const int64_t ticks = int64_t((uint64_t(modified.dwHighDateTime) << 32) | modified.dwLowDateTime);
    const int64_t unix = ticks / 10000000 - 11644473600LL;
    r.hasUnixTime = unix >= INT32_MIN && unix <= INT32_MAX;
    r.unixTime = r.hasUnixTime ? int32_t(unix) : 0;
}

ZipWriter::ZipWriter(OutputFile& out, const WriterOptions& options)
    : m_out(out), m_options(options), m_pool(options.threads, options.level)
{
    if (m_options.encrypt) m_crypto.reset(new ZipCrypto(m_options.password));
}

Status ZipWriter::Add(const std::vector<SourceEntry>& entries, std::vector<EntryRecord>& records)
{
    m_entries = &entries;
    m_records = &records;
    const size_t first = records.size();
    records.resize(first + entries.size());
    m_opened.assign(entries.size(), FILETIME{});
    for (size_t i = 0; i < entries.size(); ++i) {
        const SourceEntry& source = entries[i];
        EntryRecord& r = records[first + i];
        SetEntryName(r, source.name);
        r.attributes = source.attributes & kDosAttributes;
        if (source.folder) {
            SetEntryTimes(r, source.modified);
            m_pending.push_back({i, nullptr, nullptr});
        } else {
            ZIP_TRY(ReadFile(i, source));
        }
    }
    while (!m_pending.empty()) ZIP_TRY(WriteOldest());
    return Status();
}

Status ZipWriter::ReadFile(size_t index, const SourceEntry& source)
{
    SourceFile file;
    ZIP_TRY(file.Open(SourcePath(m_options.base, source), Shown(source.name)));
    m_opened[index] = file.Modified();
    EntryRecord& r = (*m_records)[m_records->size() - m_entries->size() + index];
    SetEntryTimes(r, file.Modified());
    r.size = file.Size();
    // The stored size may pass 4 GiB only with ZIP64 sizes in the local header.
    r.large = file.Size() + kEncryptionHeader >= kMax32;

    std::string dictionary;
    bool first = true;
    do {
        std::unique_ptr<Chunk> chunk(new Chunk());
        const size_t n = size_t(std::min<uint64_t>(file.Remaining(), kChunkSize));
        chunk->input.resize(n);
        chunk->size = n;
        ZIP_TRY(file.Read(&chunk->input[0], n));
        chunk->first = first;
        chunk->last = file.Remaining() == 0;
        if (chunk->last) ZIP_TRY(file.Finish());
        chunk->dictionary.swap(dictionary);
        if (!chunk->last) {
            const size_t keep = std::min(n, kDictionarySize);
            dictionary.assign(chunk->input, n - keep, keep);
        }
        first = false;
        m_ahead += n;
        if (!m_open) m_open = std::make_shared<Batch>();
        m_open->chunks.push_back(chunk.get());
        m_open->bytes += n + 512;  // a small file still costs a header's worth
        m_pending.push_back({index, std::move(chunk), m_open});
        if (m_open->bytes >= m_options.batchBytes) {
            m_pool.Submit(m_open);
            m_open.reset();
        }
        while (m_ahead > m_options.aheadBytes || m_pending.size() > 4096) ZIP_TRY(WriteOldest());
    } while (file.Remaining() > 0);
    return Status();
}

Status ZipWriter::StartEntry(EntryRecord& r)
{
    r.offset = m_out.Position();
    m_current = Current();
    m_current.header = LocalHeader(r);
    ZIP_TRY(m_out.Write(m_current.header));
    m_current.dataStart = m_out.Position();
    if (r.flags & kFlagEncrypted) {
        m_crypto.reset(new ZipCrypto(m_options.password));  // every entry starts from the password
        // Without the CRC up front, readers check the password against the time instead.
        const uint8_t check = (r.flags & kFlagDescriptor) ? uint8_t(r.dosTime >> 8) : uint8_t(r.crc >> 24);
        std::string header;
        ZIP_TRY(m_crypto->Header(check, header));
        ZIP_TRY(m_out.Write(header));
        m_current.compressed = header.size();
    }
    return Status();
}

Status ZipWriter::WriteData(std::string& data)
{
    if (m_crypto) m_crypto->Encrypt(&data[0], data.size());
    m_current.compressed += data.size();
    return m_out.Write(data);
}

Status ZipWriter::FinishEntry(EntryRecord& r)
{
    r.compressedSize = m_current.compressed;
    r.crc = m_current.crc;
    if (r.flags & kFlagDescriptor) return m_out.Write(DataDescriptor(r));
    if (m_current.header.size() == 0) return Status();
    // Sizes and CRC were unknown when the header went out: fill them in.
    const uint64_t end = m_out.Position();
    const std::string header = LocalHeader(r);
    ZIP_TRY(m_out.Seek(r.offset));
    ZIP_TRY(m_out.Write(header));
    return m_out.Seek(end);
}

Status ZipWriter::WriteOldest()
{
    Pending p = std::move(m_pending.front());
    m_pending.pop_front();
    const size_t index = p.entry;
    EntryRecord& r = (*m_records)[m_records->size() - m_entries->size() + index];
    if (!p.chunk) {
        r.method = kMethodStored;
        r.offset = m_out.Position();
        return m_out.Write(LocalHeader(r));
    }

    Chunk& c = *p.chunk;
    bool inlined = false;
    if (!p.batch->submitted && !m_pool.Started()) {
        // Everything fits one small batch: not worth a thread.
        if (!m_inline) m_inline.reset(new ChunkCompressor(m_options.level));
        for (Chunk* chunk : p.batch->chunks) m_inline->Compress(*chunk);
        p.batch->submitted = p.batch->done = inlined = true;
        if (m_open == p.batch) m_open.reset();
    } else if (!p.batch->submitted) {
        m_pool.Submit(p.batch);
        if (m_open == p.batch) m_open.reset();
    }
    if (!inlined) m_pool.Wait(*p.batch);
    m_ahead -= c.size;
    if (c.failed) return Status::Fail("compression failed");
    if (m_crypto) r.flags |= kFlagEncrypted;

    if (c.first && c.last) {
        // The whole file is here: every field is known before the header.
        r.method = c.stored ? kMethodStored : kMethodDeflated;
        r.crc = c.crc;
        std::string& data = c.stored ? c.input : c.output;
        r.compressedSize = data.size() + (m_crypto ? kEncryptionHeader : 0);
        ZIP_TRY(StartEntry(r));
        ZIP_TRY(WriteData(data));
        m_current.header.clear();  // nothing to patch
        m_current.crc = c.crc;
        return FinishEntry(r);
    }

    if (c.first) {
        r.method = kMethodDeflated;
        if (m_crypto) r.flags |= kFlagDescriptor;
        ZIP_TRY(StartEntry(r));
    }
    m_current.crc = uint32_t(crc32_combine(m_current.crc, c.crc, z_off_t(c.size)));
    m_current.size += c.size;
    ZIP_TRY(WriteData(c.output));
    if (!c.last) return Status();

    const uint64_t deflated = m_current.compressed - (m_crypto ? kEncryptionHeader : 0);
    if (deflated >= m_current.size) return RewriteStored(r, (*m_entries)[index]);
    return FinishEntry(r);
}

Status ZipWriter::RewriteStored(EntryRecord& r, const SourceEntry& source)
{
    // Deflate made it bigger: write the file again as it is, over the deflated data.
    const size_t index = &source - &(*m_entries)[0];
    r.method = kMethodStored;
    const uint32_t crc = m_current.crc;
    ZIP_TRY(m_out.Seek(r.offset));
    ZIP_TRY(StartEntry(r));
    m_current.crc = crc;
    SourceFile file;
    ZIP_TRY(file.Open(SourcePath(m_options.base, source), Shown(source.name)));
    const FILETIME was = m_opened[index], opened = file.Modified();
    const Status changed = Status::Fail("changed while being read: " + Shown(source.name));
    if (file.Size() != r.size || CompareFileTime(&opened, &was) != 0) return changed;
    std::string buffer;
    uint32_t again = 0;
    while (file.Remaining() > 0) {
        buffer.resize(size_t(std::min<uint64_t>(file.Remaining(), kChunkSize)));
        ZIP_TRY(file.Read(&buffer[0], buffer.size()));
        again = uint32_t(crc32(again, reinterpret_cast<const Bytef*>(buffer.data()), uInt(buffer.size())));
        ZIP_TRY(WriteData(buffer));
    }
    ZIP_TRY(file.Finish());
    if (again != crc) return changed;
    ZIP_TRY(m_out.TruncateHere());
    return FinishEntry(r);
}
