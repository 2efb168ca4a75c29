#include "text/number_text.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

int32_t ParseIntLikeAtoi(const char* text)
{
    if (!text) {
        return 0;
    }
    while (IsBlank(*text)) {
        ++text;
    }
    bool negative = false;
    if (*text == '+' || *text == '-') {
        negative = *text == '-';
        ++text;
    }
    // Accumulate the magnitude in 64 bits and stop growing it once it is
    // past every 32-bit limit, so arbitrarily long digit runs cannot wrap.
    const int64_t limit = negative ? -static_cast<int64_t>(INT32_MIN) : INT32_MAX;
    int64_t magnitude = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        if (magnitude <= limit) {
            magnitude = magnitude * 10 + (*text - '0');
        }
    }
    if (magnitude > limit) {
        magnitude = limit;
    }
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}
