#pragma once
// Folder-tree operations of Hobrin.dll. Each returns true when it stopped on
// a failure (nothing is undone) and false when it ran to its end. The error
// text is a path, or a path followed by one of these messages:
//   "の作成に失敗しました"             a folder could not be created
//   "はディレクトリでないか存在しません" the copy destination is unusable
//   "はコピー元フォルダの中にあります"   the copy destination lies in the source
//
// The unsized forms write at most 1024 bytes into error (the text is cut to
// fit, on a whole character): enough for any path the system takes without
// the \\?\ prefix plus a message. The ...N forms never write more than size
// bytes. A null error buffer is allowed; nothing is written then.

#include "lib/HobrinApi.h"

#include <cstddef>

// Removes the folder (given without a final '\') and everything in it.
// Failure text: the file that could not be deleted, or the folder whose
// removal failed. On success error is left untouched. Links to folders are
// removed as links; what they point at is never touched.
HOBRIN_API bool DeleteDirectory(const char* const path, const char* error);
HOBRIN_API bool DeleteDirectoryN(const char* const path, char* error, size_t size);

// Deletes everything in the folder and keeps the folder. A missing folder is
// already clear (false). Failure text as DeleteDirectory; success leaves
// error untouched.
HOBRIN_API bool ClearDirectory(const char* const path, const char* error);
HOBRIN_API bool ClearDirectoryN(const char* const path, char* error, size_t size);

// Moves every entry of source into dest (created when missing, once, just
// before the first move); a dest inside source stays where it is. Failure
// text: the entry that could not be moved, or dest + "の作成に失敗しました".
// On success error becomes "".
HOBRIN_API bool MoveFiles(const char* const source, const char* const dest, const char* error);
HOBRIN_API bool MoveFilesN(const char* const source, const char* const dest, char* error, size_t size);

// Copies the folder source into dest as dest\<name of source> (dest is
// created when missing). With rename, an existing dest\name makes the copy
// dest\name~1 instead. Failure text: dest + one of the messages, or the
// source folder (with its final '\') in which a file could not be copied.
// On success error becomes "". Note the order: destination first.
HOBRIN_API bool CopyDirectory(const char* const dest, const char* const source, const char* error, bool rename);
HOBRIN_API bool CopyDirectoryN(const char* const dest, const char* const source, char* error, size_t size, bool rename);
