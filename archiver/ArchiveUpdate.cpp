#include "archiver/ArchiveUpdate.h"

#include "archiver/AnsiText.h"
#include "archiver/CentralDirectory.h"
#include "archiver/FaultPoints.h"
#include "archiver/OutputFile.h"
#include "archiver/SourceTree.h"
#include "archiver/ZipCrypto.h"
#include "archiver/ZipFormat.h"
#include "archiver/ZipWriter.h"

#include <windows.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <unordered_set>

using namespace zipfmt;

namespace {

const char kJournalMagic[] = "ZJRB0001";
const wchar_t kJournalSuffix[] = L".rollback";

// A temporary file that is removed unless kept.
class TempFile {
public:
    ~TempFile()
    {
        m_file.Close();
        if (!m_path.empty()) DeleteFileW(m_path.c_str());
    }
    Status Create(const std::wstring& besides)
    {
        const size_t slash = besides.find_last_of(L'\\');
        const std::wstring folder = besides.substr(0, slash + 1);
        for (int attempt = 0; attempt < 16; ++attempt) {
            uint32_t r = 0;
            ZIP_TRY(RandomBytes(&r, sizeof r));
            wchar_t name[32];
            swprintf(name, 32, L"~zip32j-%08x.tmp", r);
            const std::wstring path = folder + name;
            if (m_file.Create(path, false)) {
                m_path = path;
                return Status();
            }
            if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
        }
        return Status::Fail("cannot create a file in the archive's folder");
    }
    OutputFile& File() { return m_file; }
    // Moves the finished file onto target; afterwards nothing is removed.
    Status MoveTo(const std::wstring& target, bool replace)
    {
        ZIP_TRY(m_file.Flush());
        if (replace) ZIP_TRY(m_file.Sync());
        m_file.Close();
        const DWORD flags = replace ? MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH : 0;
        if (fault::Hit("commit") || !MoveFileExW(m_path.c_str(), target.c_str(), flags)) {
            if (GetLastError() == ERROR_ALREADY_EXISTS || GetLastError() == ERROR_FILE_EXISTS)
                return Status::Fail("the archive appeared meanwhile");
            return Status::Fail("cannot put the archive in place");
        }
        m_path.clear();
        return Status();
    }

private:
    OutputFile m_file;
    std::wstring m_path;
};

WriterOptions WriterOptionsFor(const ZipCommand& command)
{
    WriterOptions o;
    std::wstring base;
    ansi::ToWide(command.base, base);
    o.base = LongFolder(base);
    o.encrypt = command.encrypt;
    o.password = command.password;
    o.threads = WorkerPool::DefaultThreads();
    return o;
}

// The old directory and length of an archive being added to.
struct Rollback {
    uint64_t start = 0;   // where the saved tail goes back
    uint64_t length = 0;  // the archive's old length
    std::string tail;
};

// The rollback file: a header, the saved tail, and a CRC of both.
std::string JournalHeader(const Rollback& r)
{
    std::string s(kJournalMagic, 8);
    Put64(s, r.start);
    Put64(s, r.length);
    Put64(s, r.tail.size());
    return s;
}

bool DecodeJournal(const std::string& s, Rollback& r)
{
    if (s.size() < 8 + 24 + 4 || s.compare(0, 8, kJournalMagic) != 0) return false;
    const size_t body = s.size() - 4;
    if (Get32(&s[body]) != uint32_t(crc32(0, reinterpret_cast<const Bytef*>(s.data()), uInt(body)))) return false;
    r.start = Get64(&s[8]);
    r.length = Get64(&s[16]);
    if (Get64(&s[24]) != body - 32 || r.start + (body - 32) != r.length) return false;
    r.tail = s.substr(32, body - 32);
    return true;
}

Status WriteJournal(const std::wstring& path, const Rollback& r)
{
    OutputFile journal;
    if (!journal.Create(path, true)) return Status::Fail("cannot create the rollback file beside the archive");
    const std::string header = JournalHeader(r);
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(header.data()), uInt(header.size()));
    crc = crc32(crc, reinterpret_cast<const Bytef*>(r.tail.data()), uInt(r.tail.size()));
    std::string check;
    Put32(check, uint32_t(crc));
    Status s = journal.Write(header);
    if (s) s = journal.Write(r.tail);
    if (s) s = journal.Write(check);
    if (s) s = journal.Sync();
    journal.Close();
    if (!s) DeleteFileW(path.c_str());
    return s;
}

Status Restore(OutputFile& archive, const Rollback& r)
{
    if (fault::Hit("restore")) return Status::Fail("restoring the archive failed");
    ZIP_TRY(archive.Seek(r.start));
    ZIP_TRY(archive.Write(r.tail));
    ZIP_TRY(archive.TruncateHere());
    return archive.Sync();
}

// A rollback file left by a call that was cut off: an archive that is not
// whole again is put back as it was before that call.
Status RecoverInterrupted(const std::wstring& archivePath, const std::wstring& journalPath)
{
    HANDLE h = CreateFileW(journalPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return Status();
    LARGE_INTEGER size{};
    std::string bytes;
    if (GetFileSizeEx(h, &size) && size.QuadPart < (1LL << 31)) {
        bytes.resize(size_t(size.QuadPart));
        DWORD done = 0;
        if (!bytes.empty() && (!ReadFile(h, &bytes[0], DWORD(bytes.size()), &done, nullptr) || done != bytes.size()))
            bytes.clear();
    }
    CloseHandle(h);

    Rollback r;
    const bool archiveThere = GetFileAttributesW(archivePath.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (archiveThere && DecodeJournal(bytes, r)) {
        OutputFile archive;
        ZIP_TRY(archive.OpenExisting(archivePath));
        CentralDirectory whole;
        if (!ReadCentralDirectory(archive, whole)) {
            if (archive.Size() < r.start) return Status::Fail("the archive and its rollback file do not match");
            ZIP_TRY(Restore(archive, r));
        }
    }
    // An incomplete rollback file means the archive was never touched; one
    // without its archive has nothing left to put back.
    DeleteFileW(journalPath.c_str());
    return Status();
}

Status CreateArchive(const std::wstring& archivePath, const ZipCommand& command,
                     const std::vector<SourceEntry>& entries)
{
    TempFile temp;
    ZIP_TRY(temp.Create(archivePath));
    std::vector<EntryRecord> records;
    {
        ZipWriter writer(temp.File(), WriterOptionsFor(command));
        ZIP_TRY(writer.Add(entries, records));
    }
    ZIP_TRY(WriteCentralDirectory(temp.File(), std::string(), 0, records, std::string()));
    return temp.MoveTo(archivePath, false);
}

Status AppendInPlace(OutputFile& archive, const std::wstring& journalPath, const CentralDirectory& directory,
                     const ZipCommand& command, const std::vector<SourceEntry>& entries)
{
    Rollback r;
    r.start = directory.start;
    r.length = archive.Size();
    r.tail.resize(size_t(r.length - r.start));
    if (!r.tail.empty()) ZIP_TRY(archive.ReadAt(r.start, &r.tail[0], r.tail.size()));
    ZIP_TRY(WriteJournal(journalPath, r));

    std::vector<EntryRecord> records;
    Status s = archive.Seek(r.start);
    if (s) {
        ZipWriter writer(archive, WriterOptionsFor(command));
        s = writer.Add(entries, records);
    }
    if (s) s = WriteCentralDirectory(archive, directory.records, directory.entries.size(), records, directory.comment);
    if (s) s = archive.TruncateHere();
    if (s) s = archive.Sync();
    if (s) {
        DeleteFileW(journalPath.c_str());
        return s;
    }
    if (!Restore(archive, r))
        return Status::Fail(s.Message() + "; the archive could not be put back yet and will be on the next call");
    DeleteFileW(journalPath.c_str());
    return s;
}

Status RewriteArchive(OutputFile& archive, const std::wstring& archivePath, const CentralDirectory& directory,
                      const std::vector<bool>& replaced, const ZipCommand& command,
                      const std::vector<SourceEntry>& entries)
{
    // Each old entry runs from its local header to the next one (or the directory).
    std::vector<uint64_t> starts;
    for (const ExistingEntry& e : directory.entries) starts.push_back(e.offset);
    std::sort(starts.begin(), starts.end());

    TempFile temp;
    ZIP_TRY(temp.Create(archivePath));
    OutputFile& out = temp.File();
    std::string kept;
    uint64_t keptCount = 0;
    std::string buffer;
    for (size_t i = 0; i < directory.entries.size(); ++i) {
        if (replaced[i]) continue;
        const ExistingEntry& e = directory.entries[i];
        const auto next = std::upper_bound(starts.begin(), starts.end(), e.offset);
        const uint64_t end = next == starts.end() ? directory.start : *next;
        std::string record = directory.Record(e);
        if (!SetRecordOffset(record, out.Position())) return Status::Fail("the archive's directory is damaged");
        for (uint64_t at = e.offset; at < end;) {
            buffer.resize(size_t(std::min<uint64_t>(end - at, kOutputBuffer)));
            ZIP_TRY(archive.ReadAt(at, &buffer[0], buffer.size()));
            ZIP_TRY(out.Write(buffer));
            at += buffer.size();
        }
        kept += record;
        ++keptCount;
    }
    std::vector<EntryRecord> records;
    {
        ZipWriter writer(out, WriterOptionsFor(command));
        ZIP_TRY(writer.Add(entries, records));
    }
    ZIP_TRY(WriteCentralDirectory(out, kept, keptCount, records, directory.comment));
    archive.Close();
    return temp.MoveTo(archivePath, true);
}

} // namespace

Status UpdateArchive(const ZipCommand& command, std::string& summary)
{
    std::wstring archiveName, base;
    if (!ansi::ToWide(command.archive, archiveName) || !ansi::ToWide(command.base, base))
        return Status::Fail("a path is not valid text");
    const std::wstring archivePath = LongPath(archiveName);
    const std::wstring journalPath = archivePath + kJournalSuffix;
    ZIP_TRY(RecoverInterrupted(archivePath, journalPath));

    WalkOptions walk;
    walk.recurse = command.recurse;
    walk.includeHidden = command.includeHidden;
    walk.skipPath = archivePath;
    std::vector<SourceEntry> found;
    for (const std::string& itemText : command.items) {
        std::wstring item;
        if (!ansi::ToWide(itemText, item)) return Status::Fail("a path is not valid text");
        ZIP_TRY(CollectEntries(base, item, walk, found));
    }
    // One entry per name: the first item that brings it wins.
    std::vector<SourceEntry> entries;
    entries.reserve(found.size());
    std::unordered_set<std::wstring> names;
    for (SourceEntry& e : found)
        if (names.insert(NameKey(e.name)).second) entries.push_back(std::move(e));
    std::vector<SourceEntry>().swap(found);
    if (entries.empty()) return Status::Fail("nothing to add");

    WIN32_FILE_ATTRIBUTE_DATA data;
    const bool exists = GetFileAttributesExW(archivePath.c_str(), GetFileExInfoStandard, &data) != 0;
    if (!exists) {
        ZIP_TRY(CreateArchive(archivePath, command, entries));
        summary = "created with " + std::to_string(entries.size()) + " entries";
        return Status();
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return Status::Fail("the archive path is a folder");

    OutputFile archive;
    ZIP_TRY(archive.OpenExisting(archivePath));
    CentralDirectory directory;
    ZIP_TRY(ReadCentralDirectory(archive, directory));
    std::vector<bool> replaced(directory.entries.size(), false);
    size_t replacedCount = 0;
    std::wstring key;
    for (size_t i = 0; i < directory.entries.size(); ++i) {
        directory.Name(directory.entries[i], key);
        MakeNameKey(key);
        if (names.count(key)) {
            replaced[i] = true;
            ++replacedCount;
        }
    }
    if (replacedCount == 0) {
        ZIP_TRY(AppendInPlace(archive, journalPath, directory, command, entries));
    } else {
        ZIP_TRY(RewriteArchive(archive, archivePath, directory, replaced, command, entries));
    }
    summary = "added " + std::to_string(entries.size()) + " entries, " + std::to_string(replacedCount) + " replaced";
    return Status();
}
