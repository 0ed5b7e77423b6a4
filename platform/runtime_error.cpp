#include "platform/runtime_error.h"

namespace forms {

const char* Describe(ErrorNumber number) {
  switch (number) {
    case ErrorNumber::kInvalidProcedureCall:
      return "Invalid procedure call or argument";
    case ErrorNumber::kOverflow:
      return "Overflow";
    case ErrorNumber::kBadFileNameOrNumber:
      return "Bad file name or number";
    case ErrorNumber::kFileNotFound:
      return "File not found";
    case ErrorNumber::kBadFileMode:
      return "Bad file mode";
    case ErrorNumber::kFileAlreadyOpen:
      return "File already open";
    case ErrorNumber::kInputPastEndOfFile:
      return "Input past end of file";
    case ErrorNumber::kTooManyFiles:
      return "Too many files";
    case ErrorNumber::kPermissionDenied:
      return "Permission denied";
    case ErrorNumber::kPathFileAccessError:
      return "Path/File access error";
    case ErrorNumber::kInvalidPropertyValue:
      return "Invalid property value";
  }
  return "Application-defined or object-defined error";
}

RuntimeError::RuntimeError(ErrorNumber number)
    : std::runtime_error(Describe(number)), number_(number) {}

std::string RuntimeError::StandardMessage() const {
  return "Run-time error '" + std::to_string(static_cast<int>(number_)) + "':\n\n" +
         Describe(number_);
}

void Raise(ErrorNumber number) {
  throw RuntimeError(number);
}

}  // namespace forms
