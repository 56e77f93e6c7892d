#include "tests/support/FakeArchiver.h"

namespace test {

namespace {
CString FakeFolder()
{
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    CString path(exe);
    path = path.Left(path.ReverseFind('\\'));  // bin\isolated
    return path.Left(path.ReverseFind('\\')) + "\\fakezip\\";
}
} // namespace

FakeArchiver::FakeArchiver(Variant variant, int result, int version) : m_log(m_dir / "command.txt")
{
    static const char* const kFiles[] = {"fakezip.dll", "fakezip_nozip.dll", "fakezip_noversion.dll"};
    if (variant != Missing) CopyFileA(FakeFolder() + kFiles[variant], m_dir / "zip32j.dll", FALSE);
    SetDllDirectoryA(m_dir.Path());
    SetEnvironmentVariableA("FAKEZIP_LOG", m_log);
    CString n;
    n.Format("%d", result);
    SetEnvironmentVariableA("FAKEZIP_RESULT", n);
    n.Format("%d", version);
    SetEnvironmentVariableA("FAKEZIP_VERSION", n);
}

FakeArchiver::~FakeArchiver()
{
    SetDllDirectoryA(nullptr);
    SetEnvironmentVariableA("FAKEZIP_LOG", nullptr);
}

} // namespace test
