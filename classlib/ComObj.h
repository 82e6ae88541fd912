// The OLE errors: EOleError, and EOleSysError for a failing result code of
// a system call (an HRESULT), with the system's message for that code.
#pragma once

#include <cstdint>
#include <string>

#include "classlib/SysUtils.h"

class EOleError : public Exception {
 public:
  using Exception::Exception;
};

class EOleSysError : public EOleError {
 public:
  EOleSysError(const std::string& message, int32_t errorCode)
      : EOleError(message), error_code_(errorCode) {}
  int32_t ErrorCode() const { return error_code_; }

 private:
  int32_t error_code_;
};

// Raises EOleSysError for a failure code (negative); gives back the others.
inline int32_t OleCheck(int32_t result) {
  if (result < 0) throw EOleSysError(SysErrorMessage(result), result);
  return result;
}
