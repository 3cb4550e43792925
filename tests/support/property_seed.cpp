// The property tests' fixed seed, set before any property runs unless RC_PARAMS already
// names a configuration. Linked into every native test program with properties
// (brackmer_use_properties), so ctest and a program run on its own try the same cases.
#include <cstdlib>

namespace {

#define BRACKMER_STRING(x) #x
#define BRACKMER_SEED_TEXT(x) "seed=" BRACKMER_STRING(x)

const bool kSeedSet = [] { return setenv("RC_PARAMS", BRACKMER_SEED_TEXT(BRACKMER_PROPERTY_SEED), 0) == 0; }();

}  // namespace
