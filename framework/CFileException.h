#pragma once
// The framework's file error: a cause, the system error code and the file name.

#include "framework/CString.h"

class CFileException {
public:
    enum Cause {
        none, genericException, fileNotFound, badPath, tooManyOpenFiles, accessDenied,
        invalidFile, removeCurrentDir, directoryFull, badSeek, hardIO, sharingViolation,
        lockViolation, diskFull, endOfFile
    };

    explicit CFileException(int cause = none, LONG osError = -1, const char* fileName = nullptr)
        : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}

    // Classifies a system error code the way the file classes report it.
    static int OsErrorToException(LONG osError);
    [[noreturn]] static void ThrowOsError(LONG osError, const char* fileName = nullptr);
    [[noreturn]] static void Throw(int cause, LONG osError, const char* fileName = nullptr);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};
