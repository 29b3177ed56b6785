#include "KeyState.h"

namespace kvarnel {

std::unique_ptr<KeyState> makePlatformKeyState(std::string_view) { return std::make_unique<NoKeyState>(); }

}  // namespace kvarnel
