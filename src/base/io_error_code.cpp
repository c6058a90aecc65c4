#include "fluxeta/base/io_error_code.h"

#include <cerrno>

#include "fluxeta/base/messages.h"

namespace fluxeta::base {

int InputOutputErrorCode(int errorNumber) {
  switch (errorNumber) {
    // The runtime's "disk write error": a full disk or quota, a file-size limit, and a
    // device that failed the write (EIO is 5, which as a number of its own would read as
    // "access denied").
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
    case EIO:
      return messages::kIoDiskFull;
    case EACCES:
    case EPERM:
      return messages::kIoAccessDenied;
    case ENOENT:
      return messages::kIoFileNotFound;
    case EMFILE:
    case ENFILE:
      return messages::kIoTooManyOpenFiles;
    default:
      return errorNumber;
  }
}

}  // namespace fluxeta::base
