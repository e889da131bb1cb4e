#pragma once

#include <string>

namespace trelvox {

// Windows' codes for the failures the dialog tells apart (as winerror.h numbers them).
inline constexpr unsigned long kSystemSharingViolation = 32;
inline constexpr unsigned long kSystemLockViolation = 33;
inline constexpr unsigned long kSystemDiskFull = 112;

// What a failed conversion left behind about why, read on the thread that converted the log (where
// every file operation of that log runs) right after the failure.
struct FileFailureClues {
  // The system's code the C runtime kept for its last call that failed (_doserrno), and the C
  // runtime's own number for it (errno); both 0 when no C runtime call failed.
  unsigned long runtimeCode = 0;
  int runtimeErrno = 0;
  // The output's disk has no room left.
  bool diskFull = false;
  // The system's code when the output, asked again, refuses to be replaced (another program holds
  // it open); 0 when it does not.
  unsigned long replaceRefusal = 0;
};

// The system's code for a failure: the C runtime's when it kept one; a full disk when the C runtime
// says so, or when one of its calls failed without a code (a short write) and the disk says so;
// else (such as a failure to name the finished file, outside the C runtime) why the output refuses
// to be replaced. 0 when nothing tells.
unsigned long systemCodeOf(const FileFailureClues& clues);

// The system's reason for a failed file operation: its own words in the user's language, and
// whether the file is held open by another program, which the user can do something about.
struct SystemReason {
  std::string words;
  bool heldOpen = false;
};
SystemReason systemReasonFor(unsigned long code, std::string words);

}  // namespace trelvox
