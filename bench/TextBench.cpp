// Throughput of the text rewrites on generated Object Pascal source of 1, 16 and 64 MiB. The
// rewrites are single passes, so the time must grow in step with the size; the commands run them
// on whatever the user selected, whole units included.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <string>

#include "text/Assignments.h"
#include "text/Case.h"
#include "text/Comment.h"
#include "text/Indent.h"
#include "text/Quote.h"
#include "text/SortLines.h"
#include "text/ToggleComment.h"

namespace {

using namespace tavrill;

// Plausible unit source: indented blocks, comments, strings, mixed-case identifiers, CR LF.
std::string PascalSource(std::size_t size) {
    static const char* const kLines[] = {
        "procedure TForm1.Button%dClick(Sender: TObject);",
        "var",
        "  i, Count%d: Integer;",
        "begin",
        "  // walk the items and total them up",
        "  for i := 0 to ListBox1.Items.Count - 1 do",
        "  begin",
        "    if ListBox1.Selected[i] then Inc(Count%d);",
        "    Label%d.Caption := 'Selected: ' + IntToStr(Count%d);",
        "  end;",
        "  { remember the last choice }",
        "",
        "  ShowMessage(Format('%%d items', [Count%d]));",
        "end;",
        "",
    };
    std::string text;
    text.reserve(size + 256);
    char line[160];
    std::uint32_t n = 0;
    while (text.size() < size) {
        for (const char* pattern : kLines) {
            const int len = std::snprintf(line, sizeof line, pattern, n % 97, n % 89, n % 83);
            text.append(line, static_cast<std::size_t>(len)).append("\r\n");
        }
        ++n;
    }
    text.resize(size);
    return text;
}

const std::string& Source(std::size_t size) {
    static std::map<std::size_t, std::string> cache;
    auto it = cache.find(size);
    if (it == cache.end()) it = cache.emplace(size, PascalSource(size)).first;
    return it->second;
}

// The uncomment and unindent benchmarks start from what their counterparts produce.
const std::string& Prepared(std::size_t size, char kind) {
    static std::map<std::pair<std::size_t, char>, std::string> cache;
    auto it = cache.find({size, kind});
    if (it == cache.end()) {
        std::string text = kind == '/' ? CommentSlash(Source(size)) : IndentLines(Source(size), 2);
        it = cache.emplace(std::pair{size, kind}, std::move(text)).first;
    }
    return it->second;
}

template <void (*Convert)(std::span<char>)>
void BM_CaseInPlace(benchmark::State& state) {
    std::string text = Source(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        Convert(text);
        benchmark::DoNotOptimize(text.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void TitleInPlace(std::span<char> bytes) {
    TitleCaseAsciiInPlace(bytes);
}
void SentenceInPlace(std::span<char> bytes) {
    SentenceCaseAsciiInPlace(bytes);
}

void BM_Rewrite(benchmark::State& state, std::string (*rewrite)(std::string_view), char prepared) {
    const std::size_t size = static_cast<std::size_t>(state.range(0));
    const std::string& text = prepared == 0 ? Source(size) : Prepared(size, prepared);
    for (auto _ : state) {
        std::string out = rewrite(text);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

// The same rewrites into a buffer kept from one run to the next: without the kernel's work of
// handing out fresh pages, which glibc asks it for on every allocation of 32 MiB and more.
void BM_RewriteInto(benchmark::State& state, void (*rewrite)(std::string_view, std::string&), char prepared) {
    const std::size_t size = static_cast<std::size_t>(state.range(0));
    const std::string& text = prepared == 0 ? Source(size) : Prepared(size, prepared);
    std::string out;
    for (auto _ : state) {
        rewrite(text, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

std::string UncommentText(std::string_view text) {
    return *Uncomment(text);
}
std::string Indent2(std::string_view text) {
    return IndentLines(text, 2);
}
std::string Unindent2(std::string_view text) {
    return UnindentLines(text, 2);
}
void Indent2Into(std::string_view text, std::string& out) {
    IndentLinesInto(text, 2, out);
}
void Unindent2Into(std::string_view text, std::string& out) {
    UnindentLinesInto(text, 2, out);
}

std::string SortAscending(std::string_view text) {
    return SortLines(text, false);
}
std::string SortDescending(std::string_view text) {
    return SortLines(text, true);
}
std::string UnquoteText(std::string_view text) {
    return *UnquoteString(text);
}
// Unquote reads what quote wrote.
std::string QuotedSource(std::size_t size) {
    return QuoteString(Source(size));
}
void BM_Unquote(benchmark::State& state) {
    const std::string quoted = QuotedSource(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::string out = UnquoteText(quoted);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(quoted.size()));
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(1 << 20)->Arg(16 << 20)->Arg(64 << 20)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_CaseInPlace<UpperCaseAsciiInPlace>)->Name("Upper")->Apply(Sizes);
BENCHMARK(BM_CaseInPlace<LowerCaseAsciiInPlace>)->Name("Lower")->Apply(Sizes);
BENCHMARK(BM_CaseInPlace<TitleInPlace>)->Name("Title")->Apply(Sizes);
BENCHMARK(BM_CaseInPlace<FlipCaseAsciiInPlace>)->Name("Flip")->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Rewrite, CommentSlash, &CommentSlash, '\0')->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Rewrite, Uncomment, &UncommentText, '/')->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Rewrite, Indent2, &Indent2, '\0')->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Rewrite, Unindent2, &Unindent2, ' ')->Apply(Sizes);
BENCHMARK_CAPTURE(BM_RewriteInto, CommentSlash, &CommentSlashInto, '\0')->Apply(Sizes);
BENCHMARK_CAPTURE(BM_RewriteInto, UncommentSlashLines, &UncommentSlashLinesInto, '/')->Apply(Sizes);
BENCHMARK_CAPTURE(BM_RewriteInto, Indent2, &Indent2Into, '\0')->Apply(Sizes);
BENCHMARK_CAPTURE(BM_RewriteInto, Unindent2, &Unindent2Into, ' ')->Apply(Sizes);

// The second set of rewrites, at the size of a very large unit.
void Size16(benchmark::internal::Benchmark* b) {
    b->Arg(16 << 20)->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_CaseInPlace<SentenceInPlace>)->Name("Sentence")->Apply(Size16);
BENCHMARK_CAPTURE(BM_Rewrite, ToggleComment, &ToggleComment, '\0')->Apply(Size16);
BENCHMARK_CAPTURE(BM_Rewrite, Sort, &SortAscending, '\0')->Apply(Size16);
BENCHMARK_CAPTURE(BM_Rewrite, SortDescending, &SortDescending, '\0')->Apply(Size16);
BENCHMARK_CAPTURE(BM_Rewrite, Align, &AlignAssignments, '\0')->Apply(Size16);
BENCHMARK_CAPTURE(BM_Rewrite, Reverse, &ReverseAssignments, '\0')->Apply(Size16);
BENCHMARK_CAPTURE(BM_Rewrite, Quote, &QuoteString, '\0')->Apply(Size16);
BENCHMARK(BM_Unquote)->Name("Unquote")->Apply(Size16);

}  // namespace
