// The fault switches; see fault_switches.h. Every switch reads its macro here and nowhere else.
#include "platform/fault_switches.h"

#include "platform/numbers.h"

namespace platform {
namespace {
[[maybe_unused]] int ticks = 0;
[[maybe_unused]] int flips = 0;
}  // namespace

void InjectTickFault() {
#ifdef BRACKMER_FAULT_AFTER_TICKS
    if (++ticks > BRACKMER_FAULT_AFTER_TICKS) (void)Mul16(32767, 2);
#endif
}

bool InjectedDisplayLost() {
#ifdef BRACKMER_FAULT_LOSE_DISPLAY_AFTER_FLIPS
    return flips > BRACKMER_FAULT_LOSE_DISPLAY_AFTER_FLIPS;
#else
    return false;
#endif
}

bool InjectFlipLost() {
    ++flips;
    return InjectedDisplayLost();
}

bool InjectSetupFault() {
#ifdef BRACKMER_FAULT_IN_SETUP
    return true;
#else
    return false;
#endif
}

bool InjectNoDirectDraw() {
#ifdef BRACKMER_FAULT_NO_DIRECTDRAW
    return true;
#else
    return false;
#endif
}

}  // namespace platform
