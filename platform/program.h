// The program entry a host calls: the program supplies its start-up form, the runtime loads
// it, and the host runs its event loop until the form is gone.
#pragma once

#include <memory>

#include "platform/form.h"

namespace forms {

// Defined by the program: creates its start-up form.
std::unique_ptr<Form> CreateStartupForm(Runtime& runtime);

}  // namespace forms
