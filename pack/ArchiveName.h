#pragma once
// What each archive of a batch is called and where it goes. ZipItem adds the
// ".zip" ending afterwards.

#include <windows.h>

#include "framework/CString.h"

// The archive name for one item when each item gets its own archive: a
// folder keeps its whole name (old.photos), a file loses its last extension
// (report.final.doc -> report.final). A name that would be left empty
// (".profile") is kept whole.
CString ItemArchiveName(const char* item);

// The archive name of an item of a batch: its own name with singles, else
// the output file name typed for the whole batch.
CString BatchArchiveName(bool singles, const char* item, const char* outputName);

// Longest archive file path, ".zip" included, in bytes (a path buffer of
// MAX_PATH bytes holds 259 and the terminator).
constexpr int kMaxArchivePath = MAX_PATH - 1;

// Joins folder and name as "folder\name", nothing tested or normalised.
// true (refused) when the archive file, with the ".zip" that ZipItem adds,
// would pass kMaxArchivePath bytes: path then holds the whole joined text,
// never a cut one, for the message.
bool ArchivePath(const char* folder, const char* name, CString& path);

// The message for a refused archive path: the path, error icon,
// application title.
void ReportLongArchivePath(HWND owner, const char* path);
