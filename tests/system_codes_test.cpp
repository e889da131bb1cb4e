#include "app/windows/system_codes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>

namespace trelvox {
namespace {

// The clues are read on the thread that converted the log: the C runtime's code comes first; a
// full disk is never guessed for a failure outside the C runtime.
TEST(DialogFailureReason, TheSystemsCodeIsTakenFromTheCluesThatTellIt) {
  constexpr unsigned long kPathNotFound = 3;
  constexpr unsigned long kAccessDenied = 5;
  const struct {
    FileFailureClues clues;
    unsigned long expected;
  } cases[] = {
      {{.runtimeCode = kPathNotFound, .runtimeErrno = ENOENT}, kPathNotFound},
      {{.runtimeCode = kAccessDenied, .runtimeErrno = EACCES, .diskFull = true}, kAccessDenied},
      {{.runtimeErrno = ENOSPC}, kSystemDiskFull},
      {{.runtimeErrno = EINVAL, .diskFull = true}, kSystemDiskFull},  // wine's short write
      {{.runtimeErrno = EINVAL}, 0},
      {{.runtimeErrno = EACCES, .replaceRefusal = kSystemLockViolation}, kSystemLockViolation},
      // Naming the finished file failed: the file is asked why; the disk's room is no reason.
      {{.diskFull = true, .replaceRefusal = kSystemSharingViolation}, kSystemSharingViolation},
      {{.diskFull = true}, 0},
      {{}, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(systemCodeOf(c.clues), c.expected)
        << c.clues.runtimeCode << ' ' << c.clues.runtimeErrno << ' ' << c.clues.diskFull << ' '
        << c.clues.replaceRefusal;
  }
}

}  // namespace
}  // namespace trelvox
