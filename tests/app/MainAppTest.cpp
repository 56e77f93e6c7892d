#include "app/MainApp.h"
#include "tests/support/FakeArchiver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

using test::FakeArchiver;

// The application object with the dialog run replaced by a record of it.
class StartRecorder : public CMainApp {
public:
    explicit StartRecorder(const char* commandLine)
    {
        SetUp(GetModuleHandleA(nullptr), commandLine, SW_SHOWNORMAL);
        // A mutex name of its own per test, as for a program copy under another name.
        static int serial = 0;
        CString name;
        name.Format("TarnelStartTest-%lu-%d", GetCurrentProcessId(), ++serial);
        free(const_cast<char*>(m_pszExeName));
        m_pszExeName = _strdup(name);
    }
    std::vector<StartDialog> started;

protected:
    void RunStartDialog(StartDialog which) override { started.push_back(which); }
};

TEST(MainAppTest, ChoosesTheDialogByTheCommandLine)
{
    FakeArchiver fake;
    struct Row {
        const char* commandLine;
        CMainApp::StartDialog dialog;
    } rows[] = {
        {"", CMainApp::StartDialog::Main},
        {"C:\\a.txt", CMainApp::StartDialog::Command},
        {"\"C:\\with blank\\表.txt\" D:\\b", CMainApp::StartDialog::Command},
        {" ", CMainApp::StartDialog::Command},
    };
    for (const Row& r : rows) {
        StartRecorder app(r.commandLine);
        EXPECT_FALSE(app.InitInstance());
        ASSERT_EQ(app.started.size(), 1u) << r.commandLine;
        EXPECT_EQ(app.started[0], r.dialog) << r.commandLine;
    }
    EXPECT_TRUE(test::MessageBoxes().empty());
}

TEST(MainAppTest, SettingsLiveBesideTheProgram)
{
    FakeArchiver fake;
    StartRecorder app("");
    app.InitInstance();
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    CString expected(exe);
    expected = expected.Left(expected.ReverseFind('.')) + ".ini";
    EXPECT_EQ(CString(app.m_pszProfileName), expected);
}

TEST(MainAppTest, SettingsPathReplacesTheLastDot)
{
    EXPECT_EQ(SettingsPathFor("C:\\Tools\\Tarnel.exe"), "C:\\Tools\\Tarnel.ini");
    EXPECT_EQ(SettingsPathFor("C:\\表\\Tarnel2.exe"), "C:\\表\\Tarnel2.ini");
    EXPECT_EQ(SettingsPathFor("C:\\Tools\\Tarnel"), "C:\\Tools\\Tarnel.ini");
    EXPECT_EQ(SettingsPathFor("C:\\v1.2\\Tarnel"), "C:\\v1.ini");
}

TEST(MainAppTest, AnUnusableArchiverEndsTheProgramWithItsMessage)
{
    struct Row {
        FakeArchiver::Variant variant;
        int version;
    } rows[] = {{FakeArchiver::Missing, 100}, {FakeArchiver::Complete, 24}, {FakeArchiver::WithoutVersion, 100}};
    for (const Row& r : rows) {
        test::MessageBoxes().clear();
        FakeArchiver fake(r.variant, 0, r.version);
        StartRecorder app("");
        EXPECT_FALSE(app.InitInstance());
        EXPECT_TRUE(app.started.empty());
        ASSERT_EQ(test::MessageBoxes().size(), 1u);
        EXPECT_EQ(test::MessageBoxes()[0].text, "Zip32J.DLLロードエラー");
        EXPECT_EQ(test::MessageBoxes()[0].caption, app.m_pszAppName);
        EXPECT_EQ(test::MessageBoxes()[0].type, static_cast<UINT>(MB_ICONERROR | MB_OK));
        // The check comes before the instance guard: no mutex was made.
        HANDLE m = OpenMutexA(SYNCHRONIZE, FALSE, app.m_pszExeName);
        EXPECT_EQ(m, nullptr);
        if (m) CloseHandle(m);
    }
}

TEST(MainAppTest, ASecondInstanceActivatesTheFirstAndEnds)
{
    FakeArchiver fake;
    StartRecorder first("");
    first.InitInstance();
    ASSERT_EQ(first.started.size(), 1u);

    HWND running = CreateWindowExA(0, "STATIC", "Tarnel", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                   nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(other);
    ASSERT_EQ(GetForegroundWindow(), other);

    StartRecorder second("C:\\paths\\to\\pack.txt");
    free(const_cast<char*>(second.m_pszExeName));
    second.m_pszExeName = _strdup(first.m_pszExeName);
    EXPECT_FALSE(second.InitInstance());
    EXPECT_TRUE(second.started.empty());
    EXPECT_EQ(GetForegroundWindow(), running);
    EXPECT_TRUE(test::MessageBoxes().empty());
    DestroyWindow(running);
    DestroyWindow(other);
}

} // namespace
