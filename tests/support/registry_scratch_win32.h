// The real registry as a conformance backend: a key of its own under the current user's
// "Software\Corvane Tests", removed afterwards.
#pragma once

#include "tests/support/registry_scratch.h"

namespace corvane {

RegistryBackend win32Backend();

}  // namespace corvane
