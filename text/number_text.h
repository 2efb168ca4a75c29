// Decimal text to number, the way the runtime's atoi reads it, but safe
// against overflow.
#pragma once

#include <cstdint>

// Skips leading white space, takes an optional sign and the decimal digits
// after it, and stops at the first other character; no digits gives 0.
// Text beyond the 32-bit range gives INT32_MIN or INT32_MAX. A null text
// gives 0.
int32_t ParseIntLikeAtoi(const char* text);
