#include "Filter.h"

#include <charconv>

#include "text/Case.h"
#include "text/Comment.h"
#include "text/Indent.h"

namespace tavrill::filter {

namespace {

struct VerbName {
    std::string_view name;
    Verb verb;
};

constexpr VerbName kVerbs[] = {
    {"upper", Verb::Upper},
    {"lower", Verb::Lower},
    {"title", Verb::Title},
    {"flip", Verb::Flip},
    {"comment-slash", Verb::CommentSlash},
    {"comment-brace", Verb::CommentBrace},
    {"comment-paren", Verb::CommentParen},
    {"uncomment", Verb::Uncomment},
    {"indent", Verb::Indent},
    {"unindent", Verb::Unindent},
    {"--help", Verb::Help},
    {"-h", Verb::Help},
    {"help", Verb::Help},
};

bool TakesNumber(Verb verb) { return verb == Verb::Indent || verb == Verb::Unindent; }

Parsed Fail(std::string message) { return Parsed{std::nullopt, "tavrill-text: " + std::move(message)}; }

}  // namespace

Parsed ParseArguments(std::span<const std::string_view> args) {
    if (args.empty()) return Fail("no verb given (try --help)");
    const VerbName* found = nullptr;
    for (const VerbName& v : kVerbs) {
        if (v.name == args[0]) found = &v;
    }
    if (found == nullptr) return Fail("unknown verb '" + std::string(args[0]) + "' (try --help)");

    Request request{found->verb, 0};
    if (!TakesNumber(request.verb)) {
        if (args.size() > 1) return Fail("'" + std::string(args[0]) + "' takes no argument");
        return Parsed{request, {}};
    }
    if (args.size() != 2) return Fail("'" + std::string(args[0]) + "' needs one number of blanks");
    const std::string_view number = args[1];
    const char* end = number.data() + number.size();
    // Digits only: no sign, no blanks, so that a typo never silently means 0.
    const bool digitsOnly = !number.empty() && number.find_first_not_of("0123456789") == std::string_view::npos;
    const auto [ptr, ec] = std::from_chars(number.data(), end, request.n);
    if (!digitsOnly || ec != std::errc() || ptr != end || request.n > kMaxIndent) {
        return Fail("bad number of blanks '" + std::string(number) + "' (0 to " + std::to_string(kMaxIndent) + ")");
    }
    return Parsed{request, {}};
}

std::string_view Usage() {
    return "usage: tavrill-text VERB [N] < input > output\r\n"
           "Rewrites the bytes of standard input as the Delphi Tavrill tool bar does and writes them\r\n"
           "to standard output. Lines end only at CR LF; nothing is added or lost.\r\n"
           "\r\n"
           "  upper            a-z to A-Z\r\n"
           "  lower            A-Z to a-z\r\n"
           "  title            first letter of every run of letters and digits upper case, the rest lower\r\n"
           "  flip             a-z and A-Z swapped\r\n"
           "  comment-slash    // in front of every line\r\n"
           "  comment-brace    { text }\r\n"
           "  comment-paren    (* text *)\r\n"
           "  uncomment        trims, then removes { }, (* *) or the // in front of lines;\r\n"
           "                   prints nothing and exits with 1 when there is nothing to uncomment\r\n"
           "  indent N         N blanks in front of every line (N from 0 to 100)\r\n"
           "  unindent N       up to N leading blanks off every line\r\n"
           "\r\n"
           "Exit codes: 0 done, 1 nothing to uncomment, 2 bad arguments, 3 read or write error.\r\n";
}

bool IsStreamable(Verb verb) {
    return verb == Verb::Upper || verb == Verb::Lower || verb == Verb::Title || verb == Verb::Flip;
}

void ConvertPiece(Verb verb, std::span<char> piece, bool& atWordStart) {
    switch (verb) {
        case Verb::Upper: UpperCaseAsciiInPlace(piece); break;
        case Verb::Lower: LowerCaseAsciiInPlace(piece); break;
        case Verb::Flip: FlipCaseAsciiInPlace(piece); break;
        case Verb::Title: atWordStart = TitleCaseAsciiInPlace(piece, atWordStart); break;
        default: break;
    }
}

std::optional<std::string> Rewrite(const Request& request, std::string_view text) {
    switch (request.verb) {
        case Verb::CommentSlash: return CommentSlash(text);
        case Verb::CommentBrace: return CommentBrace(text);
        case Verb::CommentParen: return CommentParen(text);
        case Verb::Uncomment: return Uncomment(text);
        case Verb::Indent: return IndentLines(text, request.n);
        case Verb::Unindent: return UnindentLines(text, request.n);
        default: {
            std::string out(text);
            bool atWordStart = true;
            ConvertPiece(request.verb, out, atWordStart);
            return out;
        }
    }
}

}  // namespace tavrill::filter
