// Program entry: the clock form is the program's only form and its start-up object.
#include "app/duzezezi.h"
#include "platform/program.h"

namespace forms {

std::unique_ptr<Form> CreateStartupForm(Runtime& runtime) {
  return std::make_unique<vestrel::duzezezi>(runtime);
}

}  // namespace forms
