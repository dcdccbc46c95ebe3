// Bounded text helpers for the fixed UTF-16 buffers of the program's records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace corvane {

// The text stored in a fixed buffer: up to its first zero, or the whole buffer when there is
// none (so an unterminated buffer can never be read past its end).
std::u16string_view textOf(std::span<const char16_t> buffer);

template <std::size_t N>
std::u16string_view textOf(const char16_t (&buffer)[N]) {
    return textOf(std::span<const char16_t>(buffer, N));
}

// Copies as much of `source` as fits and always terminates; true when nothing was cut.
// A zero-capacity destination receives nothing.
bool copyText(std::span<char16_t> destination, std::u16string_view source);

// Like copyText, but leaves the destination empty when the source does not fit.
bool copyTextWhole(std::span<char16_t> destination, std::u16string_view source);

// `format` with its first "%s" replaced by `argument` and "%%" by "%", cut to fit `out` and
// always terminated. A further "%s" stays empty; other "%" sequences are copied as they are.
// Returns the characters written.
int formatText(std::span<char16_t> out, std::u16string_view format, std::u16string_view argument);

// `format` with each "%d" or "%ld" replaced by the next of `numbers` in decimal (0 once they run
// out) and "%%" by "%", cut to fit `out` and always terminated. Returns the characters written.
int formatNumbers(std::u16string_view format, std::span<const std::int64_t> numbers,
                  std::span<char16_t> out);

// `number` in decimal, a minus sign before a negative one.
std::u16string decimal(std::int64_t number);

// Letter case is ignored for ASCII letters only, as the registry's names need.
bool equalsNoCase(std::u16string_view a, std::u16string_view b);
// `text` with its ASCII letters folded to one case: names equal without regard to case fold alike.
std::u16string caseFolded(std::u16string_view text);

// Conversions for tests, tools and diagnostics; the program keeps UTF-16 throughout.
// Decoding is strict: an ill-formed sequence (an overlong form, a surrogate, a code point beyond
// U+10FFFF, a stray or missing continuation byte) is never read as the character it seems to
// spell, but as U+FFFD, one for each maximal part of it.
std::u16string fromUtf8(std::string_view text);
std::string toUtf8(std::u16string_view text);
// Where the first ill-formed sequence of `text` begins; npos when all of it is UTF-8.
std::size_t invalidUtf8At(std::string_view text);

}  // namespace corvane
