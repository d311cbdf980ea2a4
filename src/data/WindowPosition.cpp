#include "data/WindowPosition.h"

#include <cstdint>

int PackWindowPosition(int left, int top)
{
    return static_cast<int>(static_cast<std::uint32_t>(left) | (static_cast<std::uint32_t>(top) << 16));
}

WindowPosition UnpackWindowPosition(int value, int screenWidth, int screenHeight)
{
    const auto bits = static_cast<std::uint32_t>(value);
    WindowPosition position{static_cast<int>(bits & 0xFFF), static_cast<int>((bits >> 16) & 0xFFF)};
    if (position.x > screenWidth)
        position.x = 0;
    if (position.y > screenHeight)
        position.y = 0;
    return position;
}
