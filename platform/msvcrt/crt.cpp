// The C runtime's random generator as the game's original platform has it:
// the Microsoft linear congruential rule with 15-bit results, so that the same
// seed draws the same figures on every build. Defining rand and srand here
// takes the place of the C library's for the whole program.
#include <cstdint>

namespace {
uint32_t randState = 1;
}

extern "C" void srand(unsigned int seed) noexcept { randState = seed; }

extern "C" int rand(void) noexcept {
    randState = randState * 214013u + 2531011u;
    return static_cast<int>((randState >> 16) & 0x7FFF);
}
