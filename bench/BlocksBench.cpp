// Surrounding a large selection with a generated block must feel instant: the
// templates are single passes over the selection. Prints the time of each
// template on a 100,000-line selection and fails when one takes longer than
// the limit (a quadratic pass would take minutes, not milliseconds).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "blocks/Blocks.h"

namespace {

using namespace tavrill;

constexpr int kLines = 100000;
constexpr double kLimitMs = 250.0;

std::string Selection() {
    std::string text;
    for (int i = 0; i < kLines; ++i) text += "    Sum := Sum + Values[" + std::to_string(i) + "];\r\n";
    return text;
}

// The best of a few runs, so that a busy machine does not fail the limit by accident.
double BestMs(const std::function<size_t()>& run) {
    double best = 1e300;
    for (int i = 0; i < 5; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const volatile size_t size = run();
        (void)size;
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

}  // namespace

int main() {
    const std::string w = Selection();
    const HeadTail forLoop = ForHeadTail("i", "0", "High(Values)", false);
    const HeadTail whileLoop = WhileHeadTail(WhileKind::While, "Sum < Limit");
    const struct {
        const char* name;
        std::function<size_t()> run;
    } cases[] = {
        {"for surround", [&] { return LoopBlock(forLoop, true, 2, w).size(); }},
        {"while surround", [&] { return LoopBlock(whileLoop, true, 2, w).size(); }},
        {"if...then surround+else",
         [&] {
             return IfThenBlock({"Sum > 0", 2, true, true}, w).size();
         }},
        {"case labels from box",
         [&] {
             return CaseBlock({"Key", CaseLabels(w), true, true, 2}).size();
         }},
        {"function call", [&] { return WrapCall("Trim", w).size(); }},
    };
    std::printf("%d lines, %zu bytes\n", kLines, w.size());
    bool ok = true;
    for (const auto& c : cases) {
        const double ms = BestMs(c.run);
        std::printf("%-26s %8.2f ms\n", c.name, ms);
        ok = ok && ms < kLimitMs;
    }
    if (!ok) std::printf("slower than %.0f ms\n", kLimitMs);
    return ok ? 0 : 1;
}
