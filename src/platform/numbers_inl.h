// Template parts of numbers.h; included from there only.
#pragma once

#include "platform/runtime_error.h"

namespace platform {

template <class Container>
auto& At(Container& c, int64_t index) {
    if (index < 0 || static_cast<uint64_t>(index) >= c.size()) throw RuntimeError::SubscriptOutOfRange();
    return c[static_cast<size_t>(index)];
}

}  // namespace platform
