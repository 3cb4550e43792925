// Faults on demand, for the test builds of the saver only (tests/battle/CMakeLists.txt
// compiles fault_switches.cpp again with one of these defined), so the end-to-end tests can
// prove the error paths on the real program:
//   BRACKMER_FAULT_AFTER_TICKS=n              the (n+1)th tick raises an overflow;
//   BRACKMER_FAULT_LOSE_DISPLAY_AFTER_FLIPS=n the display is lost from the (n+1)th flip
//                                             on, and giving it back fails too;
//   BRACKMER_FAULT_IN_SETUP                   making a DirectDraw surface fails, with the
//                                             display taken;
//   BRACKMER_FAULT_NO_DIRECTDRAW              DirectDraw refuses its object, as on a
//                                             machine without it.
// In every other build each switch is off. The saver's run and the DirectDraw display ask.
#pragma once

namespace platform {

// Raises the injected tick error when its tick has come; counts the tick.
void InjectTickFault();
// Counts a flip; true when this flip and every later one fails as a lost display.
bool InjectFlipLost();
// True once the injected loss has happened: the give-back fails then too.
bool InjectedDisplayLost();
bool InjectSetupFault();
bool InjectNoDirectDraw();

}  // namespace platform
