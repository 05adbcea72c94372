#pragma once
// The verbs of tavrill-text and what each does to the bytes it reads. Kept apart from the
// program's input and output so that the argument rules can be tested without a process.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tavrill::filter {

enum class Verb {
    Help,
    Upper,
    Lower,
    Title,
    Flip,
    CommentSlash,
    CommentBrace,
    CommentParen,
    Uncomment,
    Indent,
    Unindent,
};

inline constexpr int kMaxIndent = 100;

struct Request {
    Verb verb = Verb::Help;
    int n = 0;  // Indent and Unindent only
};

struct Parsed {
    std::optional<Request> request;
    std::string error;  // one line, set when there is no request
};

Parsed ParseArguments(std::span<const std::string_view> args);

std::string_view Usage();

// The case verbs work byte by byte and can run on a text in pieces: `atWordStart` carries the
// title case state from one piece to the next.
bool IsStreamable(Verb verb);
void ConvertPiece(Verb verb, std::span<char> piece, bool& atWordStart);

// The line and comment verbs need the whole text. Nothing when uncomment does not recognise the
// text or it trims to empty.
std::optional<std::string> Rewrite(const Request& request, std::string_view text);

}  // namespace tavrill::filter
