#pragma once
// The call into the archiver library zip32j.dll, loaded by name for each
// call and unloaded again. Both return true on failure and show nothing.

#include "framework/CString.h"

// Packs source (a file or folder) into archive (".zip" appended unless the
// text holds it anywhere), encrypted when password is not empty.
bool ZipItem(const char* source, const char* archive, const char* password);

// true when zip32j.dll is missing, lacks ZipGetVersion or is older than 25.
bool CheckArchiver();

// The archiver command line for ZipItem:
//   -qrS "archive" "base\" "item"            without a password
//   -qrSP password "archive" "base\" "item"  with one
// A password holding a blank, a tab or a double quote goes in double quotes
// with each inner double quote doubled ("pa ss" -> "pa ss", a"b -> "a""b"),
// so the archiver gets back exactly what was typed. false when the line
// would not fit the archiver's 1023 bytes: a cut line must never run.
bool BuildZipCommand(const char* source, const char* archive, const char* password, CString& command);

// Longest command line the archiver is handed.
constexpr int kMaxZipCommand = 1023;
