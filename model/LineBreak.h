#pragma once

#include <bit>
#include <cstddef>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define BW_LINE_BREAK_SSE2 1
#include <emmintrin.h>
#endif

// The offset of the first CR or LF at or after from, or size, one byte at a time: what
// FindLineBreak does on processors without SSE2.
inline std::size_t FindLineBreakPlain(const char* data, std::size_t from, std::size_t size)
{
    while (from < size && data[from] != '\r' && data[from] != '\n') {
        ++from;
    }
    return from;
}

// The same. Lists are read line by line over megabytes of text, so the search goes sixteen bytes at
// a time where the processor allows.
inline std::size_t FindLineBreak(const char* data, std::size_t from, std::size_t size)
{
#if defined(BW_LINE_BREAK_SSE2)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    while (from + 16 <= size) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + from));
        const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf)));
        if (mask != 0) {
            return from + static_cast<std::size_t>(std::countr_zero(static_cast<unsigned>(mask)));
        }
        from += 16;
    }
#endif
    return FindLineBreakPlain(data, from, size);
}
