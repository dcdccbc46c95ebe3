#include "tests/support/memory_registry.h"
#include "tests/support/registry_conformance.h"

namespace corvane {

std::unique_ptr<Registry> conformingRegistry() {
    return std::make_unique<MemoryRegistry>();
}

}  // namespace corvane
