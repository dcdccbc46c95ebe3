#include "tests/support/registry_conformance.h"

namespace corvane {

INSTANTIATE_TEST_SUITE_P(Backends, RegistryConformance,
                         testing::Values(backend<MemoryRegistry>("Memory")));

}  // namespace corvane
