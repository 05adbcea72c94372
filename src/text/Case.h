#pragma once
// Letter case conversions of the ASCII letters only. Every other byte (digits, punctuation,
// control bytes, CR, LF and every byte from 128 up, accented letters included) is copied
// unchanged, whatever the locale, and the length never changes.

#include <span>
#include <string>
#include <string_view>

namespace tavrill {

std::string UpperCaseAscii(std::string_view text);
std::string LowerCaseAscii(std::string_view text);
// The first byte of every run of ASCII letters and digits is upper-cased when it is a letter;
// every other ASCII letter is lower-cased. "my_var" -> "My_Var", "2nd place" -> "2nd Place".
std::string TitleCaseAscii(std::string_view text);
std::string FlipCaseAscii(std::string_view text);

// In-place forms, for large buffers and for text that arrives in pieces.
void UpperCaseAsciiInPlace(std::span<char> bytes);
void LowerCaseAsciiInPlace(std::span<char> bytes);
void FlipCaseAsciiInPlace(std::span<char> bytes);
// `atWordStart` tells whether the byte before the piece ended a word (true for the first
// piece); the result is the same flag for the byte after the piece.
bool TitleCaseAsciiInPlace(std::span<char> bytes, bool atWordStart = true);

// Sentence case: the first character of the text and of every sentence upper case when it is an
// ASCII letter, every other ASCII letter lower case. A sentence ends at ".", "!" or "?" followed by
// a blank, tab, CR or LF; its first character is its first letter, digit or byte from 128 up, so
// "1st try. élan" gives "1st try. élan" and "(see above.) next" keeps "next" in lower case.
std::string SentenceCaseAscii(std::string_view text);
// Where the text stands between two pieces: the start state for the first piece.
struct SentenceState {
    bool atSentenceStart = true;  // no first character of the current sentence seen yet
    bool afterStop = false;       // the last byte was ".", "!" or "?"
};
SentenceState SentenceCaseAsciiInPlace(std::span<char> bytes, SentenceState state = {});

}  // namespace tavrill
