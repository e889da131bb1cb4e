#include "app/windows/system_codes.h"

#include <cerrno>
#include <utility>

namespace trelvox {

unsigned long systemCodeOf(const FileFailureClues& clues) {
  if (clues.runtimeCode != 0) return clues.runtimeCode;
  const bool runtimeFailedWithoutCode = clues.runtimeErrno != 0;
  if (clues.runtimeErrno == ENOSPC || (runtimeFailedWithoutCode && clues.diskFull)) {
    return kSystemDiskFull;
  }
  return clues.replaceRefusal;
}

SystemReason systemReasonFor(unsigned long code, std::string words) {
  return {std::move(words), code == kSystemSharingViolation || code == kSystemLockViolation};
}

}  // namespace trelvox
