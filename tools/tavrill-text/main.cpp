// tavrill-text: the tool bar's text rewrites as a filter from standard input to standard output,
// for editors that pipe a selection through a program and for scripts.

#include <cstdio>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "Filter.h"
#include "Rewrites.h"
#include "Version.h"

namespace {

using namespace tavrill::filter;

constexpr std::size_t kPiece = 1 << 20;

bool WriteAll(std::string_view bytes) {
    return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
}

int Fail(const char* message) {
    std::fprintf(stderr, "tavrill-text: %s\n", message);
    return 3;
}

int Run(const Request& request) {
    std::string buffer(kPiece, '\0');
    PieceRewriter rewriter(request);
    std::string scratch;
    for (;;) {
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), stdin);
        // Before anything of this piece is written: a failed first read writes nothing at all.
        if (std::ferror(stdin)) return Fail("cannot read standard input");
        if (!WriteAll(rewriter.Feed(std::span<char>(buffer.data(), got), scratch))) {
            return Fail("cannot write standard output");
        }
        if (got < buffer.size()) break;
    }
    const std::optional<std::string_view> rest = rewriter.Finish(scratch);
    if (!rest) return 1;
    if (!WriteAll(*rest) || std::fflush(stdout) != 0) return Fail("cannot write standard output");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // Text mode would turn CR LF into LF on the way in and LF into CR LF on the way out.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--version") {
        return WriteAll("tavrill-text " TAVRILL_VERSION_TEXT "\r\n") && std::fflush(stdout) == 0 ? 0 : 3;
    }
    const Parsed parsed = ParseArguments(args);
    if (!parsed.request) {
        std::fprintf(stderr, "%s\n", parsed.error.c_str());
        return 2;
    }
    if (parsed.request->verb == Verb::Help) {
        const std::string_view usage = Usage();
        return WriteAll(usage) && std::fflush(stdout) == 0 ? 0 : 3;
    }
    if (IsRewriteVerb(parsed.request->verb)) return RunRewrite(*parsed.request);
    // Only uncomment holds more than a piece (a pair until its last byte), but any verb may find
    // the memory short; the 32-bit build meets that at well under two gigabytes.
    try {
        return Run(*parsed.request);
    } catch (const std::bad_alloc&) {
        return Fail("out of memory");
    } catch (const std::length_error&) {  // a string past its largest size
        return Fail("out of memory");
    }
}
