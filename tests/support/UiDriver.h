#pragma once
// Drives modal dialogs in process, headless. The dialog under test runs its
// own modal loop as usual; a script runs beside it (on a fiber that a thread
// timer of the loop switches to) and works the dialog with real messages,
// yielding to the loop whenever it waits:
//
//   test::RunModal([&] { return dlg.DoModal(); }, [&](test::Ui& ui) {
//       HWND main = ui.WaitDialog("Tarnel");
//       ui.SetText(main, IDC_FILENAME, "書類");
//       ui.Click(main, IDC_SINGLES);
//       ui.Command(main, IDM_ABOUT);                 // opens a nested modal
//       ui.Close(ui.WaitDialog("バージョン情報 Tarnel"));
//       ui.Close(main);
//   });
//
// Anything that may open a modal dialog must be posted (Click, Command,
// SysCommand, Key, Drop do that); a sent message would run the nested loop
// inside the script. A script that waits too long, or leaves a dialog open,
// fails the test and the dialogs are ended; a thread that stops running its
// loop altogether ends the process (a watchdog), so nothing hangs.

#include "framework/CString.h"

#include <functional>
#include <string>
#include <vector>

namespace test {

class Ui {
public:
    // Lets the loop run until every message posted so far has been handled.
    void Settle();
    // The visible, enabled dialog of this thread whose caption is caption (any
    // caption when null) and that is not except; waits for it.
    HWND WaitDialog(const char* caption = nullptr, HWND except = nullptr);
    // Waits until hwnd no longer exists.
    void WaitGone(HWND hwnd);

    // BM_CLICK on button id, posted; then Settle.
    void Click(HWND dlg, int id);
    // WM_COMMAND as a menu sends it, posted; then Settle.
    void Command(HWND dlg, UINT id);
    // WM_SYSCOMMAND, posted; then Settle.
    void SysCommand(HWND dlg, UINT command);
    // WM_KEYDOWN and WM_KEYUP of virtual key vk to window target, posted
    // (the dialog's loop sees them as typed); then Settle.
    void Key(HWND target, UINT vk);
    // WM_CLOSE, posted; waits until the dialog is gone.
    void Close(HWND dlg);
    // Drops paths (code page 932) on target as the shell does: a WM_DROPFILES
    // with a fresh HDROP (tests/support/DropFiles.h), posted; then Settle.
    // The receiver frees the HDROP.
    void Drop(HWND target, const std::vector<std::string>& paths, POINT at = POINT{10, 10});

    // WM_SETTEXT on control id (sent).
    void SetText(HWND dlg, int id, const char* text);
    CString Text(HWND dlg, int id) const;
    int Check(HWND dlg, int id) const;  // BST_ state of a button
    bool Enabled(HWND dlg, int id) const;

private:
    template <class Done> void WaitUntil(const char* what, Done done);
};

// Runs open(), which shows a modal dialog and returns when it is closed,
// while script drives it; returns what open returned. Fails the test when
// the script does not end within timeoutMs or leaves a dialog open.
INT_PTR RunModal(const std::function<INT_PTR()>& open, const std::function<void(Ui&)>& script,
                 DWORD timeoutMs = 15000);

// Top-level windows of this thread, newest first.
std::vector<HWND> ThreadWindows();

} // namespace test
