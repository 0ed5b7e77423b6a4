// The run-time error path: a failing platform call or an arithmetic fault ends the program
// with one standard message. Handlers never catch it; the runtime's dispatcher does, shows
// the message through the host and exits with a non-zero code.
#pragma once

#include <stdexcept>
#include <string>

namespace forms {

// Error numbers as the forms runtime reports them.
enum class ErrorNumber : int {
  kInvalidProcedureCall = 5,
  kOverflow = 6,
  kBadFileMode = 54,
  kBadFileNameOrNumber = 52,
  kFileNotFound = 53,
  kFileAlreadyOpen = 55,
  kInputPastEndOfFile = 62,
  kTooManyFiles = 67,
  kPermissionDenied = 70,
  kPathFileAccessError = 75,
  kInvalidPropertyValue = 380,
};

class RuntimeError : public std::runtime_error {
 public:
  explicit RuntimeError(ErrorNumber number);
  ErrorNumber number() const { return number_; }
  // "Run-time error '6':\n\nOverflow"
  std::string StandardMessage() const;

 private:
  ErrorNumber number_;
};

[[noreturn]] void Raise(ErrorNumber number);

// Short description of an error number ("Overflow").
const char* Describe(ErrorNumber number);

}  // namespace forms
