#include "Filter.h"

#include <algorithm>
#include <charconv>

#include "LineStream.h"
#include "text/Case.h"
#include "text/Comment.h"

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
    {"sentence", Verb::Sentence},
    {"toggle-comment", Verb::ToggleComment},
    {"sort", Verb::Sort},
    {"align", Verb::Align},
    {"reverse", Verb::Reverse},
    {"quote", Verb::Quote},
    {"unquote", Verb::Unquote},
    {"trim", Verb::Trim},
    {"untabify", Verb::Untabify},
    {"delete-blank-lines", Verb::DeleteBlankLines},
    {"compact-blank-lines", Verb::CompactBlankLines},
    {"join", Verb::Join},
    {"align-on", Verb::AlignOn},
    {"format", Verb::Format},
    {"--help", Verb::Help},
    {"-h", Verb::Help},
    {"help", Verb::Help},
};

bool TakesNumber(Verb verb) {
    return verb == Verb::Indent || verb == Verb::Unindent || verb == Verb::Untabify;
}

Parsed Fail(std::initializer_list<std::string_view> message) {
    Parsed parsed;
    parsed.error = "tavrill-text: ";
    for (std::string_view part : message) parsed.error.append(part);
    return parsed;
}

// Digits only, from `low` to `high`: no sign, no blanks, so that a typo never silently means 0.
std::optional<int> ReadNumberArgument(std::string_view number, int low, int high) {
    int n = 0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), n);
    if (number.empty() || number.find_first_not_of("0123456789") != std::string_view::npos ||
        ec != std::errc() || ptr != number.data() + number.size() || n < low || n > high) {
        return std::nullopt;
    }
    return n;
}

// format [--indent N] [--tab-width N] [--reserved-words lower|upper|keep] [--no-space-operators]
// [--directives-at-column0], the options in any order.
Parsed ParseFormatOptions(std::span<const std::string_view> args) {
    Request request{Verb::Format, 0, {}};
    for (std::size_t k = 1; k < args.size(); ++k) {
        const std::string_view option = args[k];
        const bool hasValue = k + 1 < args.size();
        if (option == "--indent" && hasValue) {
            const std::optional<int> n = ReadNumberArgument(args[++k], 0, kMaxFormatIndent);
            if (!n)
                return Fail(
                    {"bad indent size '", args[k], "' (0 to ", std::to_string(kMaxFormatIndent), ")"});
            request.style.indentSize = *n;
        } else if (option == "--tab-width" && hasValue) {
            const std::optional<int> n = ReadNumberArgument(args[++k], 1, kMaxTabWidth);
            if (!n) return Fail({"bad tab width '", args[k], "' (1 to ", std::to_string(kMaxTabWidth), ")"});
            request.style.tabWidth = *n;
        } else if (option == "--reserved-words" && hasValue) {
            const std::optional<ReservedWordCase> wordCase = ParseReservedWordCase(args[++k]);
            if (!wordCase) return Fail({"bad reserved word case '", args[k], "' (lower, upper or keep)"});
            request.style.reservedWords = *wordCase;
        } else if (option == "--no-space-operators") {
            request.style.spaceAroundOperators = false;
        } else if (option == "--directives-at-column0") {
            request.style.directivesAtColumn0 = true;
        } else {
            return Fail({"unknown or incomplete format option '", option, "' (try --help)"});
        }
    }
    return Parsed{request, {}};
}

}  // namespace

Parsed ParseArguments(std::span<const std::string_view> args) {
    if (args.empty()) return Fail({"no verb given (try --help)"});
    const VerbName* found = nullptr;
    for (const VerbName& v : kVerbs) {
        if (v.name == args[0]) found = &v;
    }
    if (found == nullptr) return Fail({"unknown verb '", args[0], "' (try --help)"});

    if (found->verb == Verb::Format) return ParseFormatOptions(args);
    Request request{found->verb, 0, {}};
    if (request.verb == Verb::Sort && args.size() == 2 && args[1] == "--reverse") {
        return Parsed{Request{Verb::SortDescending, 0, {}}, {}};
    }
    if (request.verb == Verb::Quote && args.size() == 2 && args[1] == "--multiline") {
        return Parsed{Request{Verb::QuoteMultiline, 0, {}}, {}};
    }
    if (request.verb == Verb::AlignOn) {
        // A blank or a control byte could never be found in code as one token.
        const bool usable = args.size() == 2 && !args[1].empty() &&
                            std::none_of(args[1].begin(), args[1].end(),
                                         [](char c) { return static_cast<unsigned char>(c) <= 32; });
        if (!usable) return Fail({"'align-on' needs one token without blanks, such as := or then"});
        request.token = args[1];
        return Parsed{request, {}};
    }
    if (request.verb == Verb::Untabify && args.size() == 1) {
        request.n = kDefaultTabWidth;
        return Parsed{request, {}};
    }
    if (!TakesNumber(request.verb)) {
        if (args.size() > 1) return Fail({"'", args[0], "' takes no argument"});
        return Parsed{request, {}};
    }
    if (args.size() != 2) return Fail({"'", args[0], "' needs one number of blanks"});
    const std::string_view number = args[1];
    const int least = request.verb == Verb::Untabify ? 1 : 0;
    const std::optional<int> n = ReadNumberArgument(number, least, kMaxIndent);
    if (!n) {
        if (request.verb == Verb::Untabify) return Fail({"bad tab width '", number, "' (1 to 100)"});
        return Fail({"bad number of blanks '", number, "' (0 to ", std::to_string(kMaxIndent), ")"});
    }
    request.n = *n;
    return Parsed{request, {}};
}

std::string_view Usage() {
    return "usage: tavrill-text VERB [N | TOKEN | OPTIONS] < input > output\r\n"
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
           "  uncomment        trims bytes 0 to 32 off both ends, then removes { }, (* *)\r\n"
           "                   or the // in front of lines;\r\n"
           "                   prints nothing and exits with 1 when there is nothing to uncomment\r\n"
           "  indent N         N blanks in front of every line (N from 0 to 100)\r\n"
           "  unindent N       up to N leading blanks off every line\r\n"
           "  sentence         first letter of every sentence upper case, the rest lower\r\n"
           "  toggle-comment   // off every line when all have it, else in front at the smallest indent\r\n"
           "  sort [--reverse] lines in order, ignoring case, equal lines kept in their order\r\n"
           "  align            blanks before := (or = in const, : in var blocks) to line them up\r\n"
           "  reverse          a := b; becomes b := a; and for i := a to b do\r\n"
           "                   becomes for i := b downto a do\r\n"
           "  quote            text to an Object Pascal string expression\r\n"
           "  quote --multiline  text to one multi-line string literal\r\n"
           "  unquote          a string expression back to its text; prints nothing and exits\r\n"
           "                   with 1 when it cannot read one\r\n"
           "  trim             blanks and tabs off the ends of lines\r\n"
           "  untabify [N]     tabs outside strings and comments to blanks, stops every N (8)\r\n"
           "  delete-blank-lines\r\n"
           "                   lines of only blanks and tabs removed\r\n"
           "  compact-blank-lines\r\n"
           "                   at most one blank line in a row\r\n"
           "  join             the lines as one; a // comment keeps its line break\r\n"
           "  align-on TOKEN   blanks before the first TOKEN of each line to line them up\r\n"
           "  format [OPTIONS]  lays out Object Pascal: indentation from the structure, blanks\r\n"
           "                   around operators, reserved words in one case; only blanks change,\r\n"
           "                   lines end at CR LF, LF or CR and stay where they are. Options:\r\n"
           "                     --indent N                 blanks a level (0 to 16, default 2)\r\n"
           "                     --tab-width N              columns a written tab reaches (default 8)\r\n"
           "                     --reserved-words lower|upper|keep  (default lower)\r\n"
           "                     --no-space-operators       blanks around operators as written\r\n"
           "                     --directives-at-column0    {$...} lines of their own at column 0\r\n"
           "\r\n"
           "Exit codes: 0 done, 1 nothing to uncomment or unquote, 2 bad arguments, 3 read or write\r\n"
           "error or out of memory.\r\n";
}

PieceRewriter::PieceRewriter(const Request& request) : verb_(request.verb) {
    if (verb_ == Verb::CommentSlash) lines_ = LineStreamRewriter::Prefixing(std::string(kSlashMark));
    if (verb_ == Verb::Indent) lines_ = LineStreamRewriter::Prefixing(std::string(request.n, ' '));
    if (verb_ == Verb::Unindent) lines_ = LineStreamRewriter::Unindenting(request.n);
}

std::string_view PieceRewriter::Feed(std::span<char> piece, std::string& scratch) {
    scratch.clear();
    switch (verb_) {
        case Verb::Upper:
            UpperCaseAsciiInPlace(piece);
            break;
        case Verb::Lower:
            LowerCaseAsciiInPlace(piece);
            break;
        case Verb::Flip:
            FlipCaseAsciiInPlace(piece);
            break;
        case Verb::Title:
            atWordStart_ = TitleCaseAsciiInPlace(piece, atWordStart_);
            break;
        case Verb::Uncomment:
            uncomment_.Feed(std::string_view(piece.data(), piece.size()), scratch);
            return scratch;
        default:
            if (lines_) {
                lines_->Feed(std::string_view(piece.data(), piece.size()), scratch);
                return scratch;
            }
            break;
    }
    return std::string_view(piece.data(), piece.size());
}

std::optional<std::string_view> PieceRewriter::Finish(std::string& scratch) {
    scratch.clear();
    if (verb_ == Verb::Uncomment) return uncomment_.Finish(scratch);
    if (lines_) lines_->Finish(scratch);
    return scratch;
}

}  // namespace tavrill::filter
