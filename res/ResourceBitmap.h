#pragma once

#include <cstdint>
#include <span>

// The bitmap resources compiled into the program, by resource number: the
// complete .bmp file image (file header first). Empty for an unknown number.
std::span<const std::uint8_t> ResourceBitmap(int id);
