#pragma once
// The few parts of Google Benchmark's interface the search benchmark uses, for
// the Windows build, where the library is not at hand: each benchmark runs for
// about half a second per argument and prints its mean wall time per iteration.

#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace benchmark {

enum TimeUnit { kMillisecond };

class State {
public:
    explicit State(long arg) : arg_(arg) {}
    long range(int) const { return arg_; }
    std::map<std::string, double> counters;

    // `for (auto _ : state)` runs until half a second has gone by.
    struct Iterator {
        State* s;
        bool operator!=(const Iterator&) const { return s->KeepRunning(); }
        void operator++() {}
        int operator*() const { return 0; }
    };
    Iterator begin() {
        start_ = Clock::now();
        return {this};
    }
    Iterator end() { return {this}; }
    double MeanMs() const {
        return std::chrono::duration<double, std::milli>(elapsed_).count() / iterations_;
    }
    long Iterations() const { return iterations_; }

private:
    using Clock = std::chrono::steady_clock;
    bool KeepRunning() {
        elapsed_ = Clock::now() - start_;
        if (elapsed_ > std::chrono::milliseconds(500) && iterations_ > 0) return false;
        ++iterations_;
        return true;
    }
    long arg_;
    long iterations_ = 0;
    Clock::time_point start_;
    Clock::duration elapsed_{};
};

template <class T>
void DoNotOptimize(T&& value) {
    asm volatile("" : : "g"(&value) : "memory");
}

struct Registration {
    const char* name;
    void (*function)(State&);
    std::vector<long> args;
    Registration* Arg(long a) {
        args.push_back(a);
        return this;
    }
    Registration* Unit(TimeUnit) { return this; }
};

inline std::vector<Registration*>& Registry() {
    static std::vector<Registration*> all;
    return all;
}

inline Registration* Register(const char* name, void (*function)(State&)) {
    Registry().push_back(new Registration{name, function, {}});
    return Registry().back();
}

inline int RunAll() {
    std::printf("%-32s %12s %12s\n", "Benchmark", "Time (ms)", "Iterations");
    for (const Registration* r : Registry()) {
        for (long a : r->args) {
            State state(a);
            r->function(state);
            std::printf("%-32s %12.3f %12ld", (std::string(r->name) + "/" + std::to_string(a)).c_str(),
                        state.MeanMs(), state.Iterations());
            for (const auto& [key, value] : state.counters) std::printf(" %s=%g", key.c_str(), value);
            std::printf("\n");
        }
    }
    return 0;
}

}  // namespace benchmark

#define TAVRILL_BENCH_CONCAT2(a, b) a##b
#define TAVRILL_BENCH_CONCAT(a, b) TAVRILL_BENCH_CONCAT2(a, b)
#define BENCHMARK(f)                                                                \
    static ::benchmark::Registration* TAVRILL_BENCH_CONCAT(registered_, __LINE__) = \
        ::benchmark::Register(#f, f)
#define BENCHMARK_MAIN()              \
    int main() {                      \
        return ::benchmark::RunAll(); \
    }
