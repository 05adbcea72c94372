// One keystroke in the stash browser's search box: the index of 100, 1,000 and
// 10,000 snippets is built once (as at each showing, without the file reads),
// then each query is one search over all of it. Built with Google Benchmark on
// Linux and with MiniBenchmark.h for Windows, to run the same code under Wine.

#ifdef TAVRILL_MINI_BENCHMARK
#include "MiniBenchmark.h"
#else
#include <benchmark/benchmark.h>
#endif

#include <random>
#include <string>

#include "stash/StashSearch.h"

namespace {

using namespace tavrill;

// Snippets of 200 bytes to 4 KB: routines with comments, strings and a few
// accented words, each with its own description.
std::string Snippet(std::mt19937& rng, int n) {
    static const char* const kLines[] = {
        "  for I := 0 to List.Count - 1 do\r\n",
        "    Result := Result + Format('%d: %s', [I, List[I]]);\r\n",
        "  // skip the header row\r\n",
        "  if Query.FieldByName('Datum').AsDateTime > Heute then Exit;\r\n",
        "  { Größe der Tabelle prüfen }\r\n",
        "  S := 'It''s done'#13#10;\r\n",
        "  Inc(Count, $10);\r\n",
        "  with TStringList.Create do try Add(Name); finally Free; end;\r\n",
    };
    std::string s = "//TAVRILL:snippet number " + std::to_string(n) + " for the ledger\r\n";
    s += "procedure Routine" + std::to_string(n) +
         "(const Name: string);\r\nvar\r\n  I: Integer;\r\nbegin\r\n";
    const std::size_t size = std::uniform_int_distribution<std::size_t>(200, 4000)(rng);
    while (s.size() < size) s += kLines[rng() % std::size(kLines)];
    return s + "end;\r\n";
}

StashIndex MakeIndex(int snippets) {
    std::mt19937 rng(42);
    StashIndex index;
    for (int i = 0; i < snippets; ++i)
        index.Add({.name = "Snippet" + std::to_string(i) + ".pas", .modified = i}, Snippet(rng, i));
    return index;
}

void BM_BuildIndex(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(MakeIndex(static_cast<int>(state.range(0))));
}

// The query as it stands after one more keystroke.
void Keystroke(benchmark::State& state, const char* query, StashOrder order) {
    const StashIndex index = MakeIndex(static_cast<int>(state.range(0)));
    std::size_t found = 0;
    for (auto _ : state) {
        const auto rows = index.Search(query, order);
        found = rows.size();
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["found"] = static_cast<double>(found);
}

void BM_KeystrokeOneLetter(benchmark::State& s) {
    Keystroke(s, "q", StashOrder::ByName);
}
void BM_KeystrokeTwoWords(benchmark::State& s) {
    Keystroke(s, "datum größe", StashOrder::ByName);
}
void BM_KeystrokeNoMatch(benchmark::State& s) {
    Keystroke(s, "ledger zqx", StashOrder::ByName);
}
// The slowest kind: a common first letter that leads nowhere, in every snippet.
void BM_KeystrokeCommonStart(benchmark::State& s) {
    Keystroke(s, "eqq", StashOrder::ByName);
}
void BM_KeystrokeNewestFirst(benchmark::State& s) {
    Keystroke(s, "routine1", StashOrder::NewestFirst);
}

}  // namespace

BENCHMARK(BM_BuildIndex)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeystrokeOneLetter)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeystrokeTwoWords)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeystrokeNoMatch)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeystrokeCommonStart)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeystrokeNewestFirst)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

#ifdef TAVRILL_MINI_BENCHMARK
BENCHMARK_MAIN();
#endif
