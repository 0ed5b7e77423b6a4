// Sets an environment variable (unsets it for nullptr) for the life of the object, then puts
// back what was there.
#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

namespace qt_host {

class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value)
      : name_(name),
        saved_(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt) {
    Set(value);
  }
  ~ScopedVariable() { Set(saved_ ? saved_->constData() : nullptr); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  void Set(const char* value) { value != nullptr ? qputenv(name_, value) : qunsetenv(name_); }
  const char* name_;
  std::optional<QByteArray> saved_;
};

}  // namespace qt_host
