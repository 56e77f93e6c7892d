#include "framework/CFileException.h"

int CFileException::OsErrorToException(LONG osError)
{
    switch (osError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND: case ERROR_INVALID_DRIVE: case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: case ERROR_INVALID_NAME: case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE: case ERROR_DIRECTORY:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED: case ERROR_WRITE_PROTECT: case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: case ERROR_NETWORK_ACCESS_DENIED:
        return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_SEEK: case ERROR_NEGATIVE_SEEK: case ERROR_SEEK_ON_DEVICE: return badSeek;
    case ERROR_NOT_READY: case ERROR_CRC: case ERROR_SECTOR_NOT_FOUND: case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT: case ERROR_GEN_FAILURE: case ERROR_NOT_DOS_DISK:
        return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_HANDLE_DISK_FULL: case ERROR_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
    }
}

void CFileException::ThrowOsError(LONG osError, const char* fileName)
{
    throw CFileException(OsErrorToException(osError), osError, fileName);
}

void CFileException::Throw(int cause, LONG osError, const char* fileName)
{
    throw CFileException(cause, osError, fileName);
}
