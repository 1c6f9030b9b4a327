// SPDX-License-Identifier: GPL-3.0-or-later
// Time of one call for the words of a number: the program's own spelling
// (numberToWords), the traditional and 1990 spellings of France, Belgium and
// Switzerland (NumberSpelling::words), and the forms an answer may take under
// "either" (NumberSpelling::acceptedForms), against ICU's spellout
// (RuleBasedNumberFormat) for fr, fr_BE and fr_CH on the same numbers in the
// same run: 10 000 numbers of 10 to 12 digits, and 10 000 numbers below 100.
// Also the word count of a one-megabyte text. Build with the default preset,
// then run
//
//     build/default/bin/bench_number_words --benchmark_repetitions=5
//
// The last lines give, for each set of numbers, the CPU time per call (the
// median of the repetitions), each spelling's time over the program's own
// spelling's, and how many times faster each is than ICU's spellout of its
// region.

#include "number_spelling.h"
#include "number_words.h"
#include "word_count.h"

#include <QString>

#include <benchmark/benchmark.h>
#include <unicode/locid.h>
#include <unicode/rbnf.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

constexpr int kCount = 10'000;

struct NumberSet {
    std::vector<double> asDouble;
    std::vector<int64_t> asInteger;
};

void add(NumberSet& set, int64_t n) {
    set.asDouble.push_back(double(n));
    set.asInteger.push_back(n);
}

// 10 to 12 digits, each length equally likely, from a fixed seed.
const NumberSet& largeNumbers() {
    static const NumberSet set = [] {
        NumberSet s;
        std::mt19937_64 generator(1'234'567);
        const int64_t low[] = {1'000'000'000, 10'000'000'000, 100'000'000'000};
        for (int i = 0; i < kCount; ++i) {
            const int64_t from = low[generator() % 3];
            add(s, from + int64_t(generator() % uint64_t(9 * from)));
        }
        return s;
    }();
    return set;
}

const NumberSet& smallNumbers() {
    static const NumberSet set = [] {
        NumberSet s;
        std::mt19937_64 generator(7'654'321);
        for (int i = 0; i < kCount; ++i)
            add(s, int64_t(generator() % 100));
        return s;
    }();
    return set;
}

void numberToWords(benchmark::State& state, const NumberSet& (*numbers)()) {
    const std::vector<double>& values = numbers().asDouble;
    std::size_t i = 0;
    for (auto _ : state) {
        QString words = NumberWords::numberToWords(values[i]);
        benchmark::DoNotOptimize(words);
        if (++i == values.size())
            i = 0;
    }
}

// The tables of the spelling and region are built before the timing starts,
// as the program's first draw builds them.
void spellingWords(benchmark::State& state, NumberSpelling::Spelling spelling,
                   NumberSpelling::Region region, const NumberSet& (*numbers)()) {
    const std::vector<int64_t>& values = numbers().asInteger;
    benchmark::DoNotOptimize(NumberSpelling::words(values[0], spelling, region));
    std::size_t i = 0;
    for (auto _ : state) {
        QString words = NumberSpelling::words(values[i], spelling, region);
        benchmark::DoNotOptimize(words);
        if (++i == values.size())
            i = 0;
    }
}

void acceptedForms(benchmark::State& state, NumberSpelling::Spelling spelling,
                   NumberSpelling::Region region, const NumberSet& (*numbers)()) {
    const std::vector<int64_t>& values = numbers().asInteger;
    benchmark::DoNotOptimize(NumberSpelling::acceptedForms(values[0], spelling, region));
    std::size_t i = 0;
    for (auto _ : state) {
        QStringList forms = NumberSpelling::acceptedForms(values[i], spelling, region);
        benchmark::DoNotOptimize(forms);
        if (++i == values.size())
            i = 0;
    }
}

// The formatter is built once, outside the timing; each call formats into a
// fresh string, as a caller that keeps every result would.
void icuSpellout(benchmark::State& state, const char* locale, const NumberSet& (*numbers)()) {
    const std::vector<int64_t>& values = numbers().asInteger;
    UErrorCode status = U_ZERO_ERROR;
    const icu::RuleBasedNumberFormat format(icu::URBNF_SPELLOUT, icu::Locale(locale), status);
    if (U_FAILURE(status)) {
        state.SkipWithError(u_errorName(status));
        return;
    }
    std::size_t i = 0;
    for (auto _ : state) {
        icu::UnicodeString words;
        icu::FieldPosition position;
        format.format(values[i], words, position);
        benchmark::DoNotOptimize(words);
        if (++i == values.size())
            i = 0;
    }
}

void countWordsOfOneMegabyte(benchmark::State& state) {
    const QString text =
        QStringLiteral("quatre vingt dix\r\nmille  un\r\n").repeated((1 << 20) / 29);
    for (auto _ : state)
        benchmark::DoNotOptimize(countwords(text));
    state.SetBytesProcessed(int64_t(state.iterations()) * text.size() * int64_t(sizeof(QChar)));
}

struct NamedSet {
    const char* name;
    const NumberSet& (*numbers)();
};
constexpr NamedSet kSets[] = {{"large", largeNumbers}, {"small", smallNumbers}};

struct NamedRegion {
    NumberSpelling::Region region;
    const char* icuLocale;
};
constexpr NamedRegion kRegions[] = {{NumberSpelling::Region::France, "fr"},
                                    {NumberSpelling::Region::Belgium, "fr_BE"},
                                    {NumberSpelling::Region::Switzerland, "fr_CH"}};
constexpr NumberSpelling::Spelling kOfficial[] = {NumberSpelling::Spelling::Traditional,
                                                  NumberSpelling::Spelling::Rectified1990};

std::string keyText(QStringView key) {
    return key.toString().toStdString();
}

// Names: numberToWords/<set>, words/<spelling>_<region>/<set>,
// acceptedForms/either_<region>/<set>, icuSpellout/<locale>/<set>.
void registerBenchmarks() {
    using NumberSpelling::key;
    for (const NamedSet& set : kSets) {
        benchmark::RegisterBenchmark(("numberToWords/" + std::string(set.name)).c_str(),
                                     numberToWords, set.numbers)
            ->Unit(benchmark::kNanosecond);
        for (const NamedRegion& region : kRegions) {
            const std::string regionKey = keyText(key(region.region));
            for (const NumberSpelling::Spelling spelling : kOfficial) {
                benchmark::RegisterBenchmark(
                    ("words/" + keyText(key(spelling)) + "_" + regionKey + "/" + set.name).c_str(),
                    spellingWords, spelling, region.region, set.numbers)
                    ->Unit(benchmark::kNanosecond);
            }
            benchmark::RegisterBenchmark(
                ("acceptedForms/either_" + regionKey + "/" + set.name).c_str(), acceptedForms,
                NumberSpelling::Spelling::Either, region.region, set.numbers)
                ->Unit(benchmark::kNanosecond);
            benchmark::RegisterBenchmark(
                ("icuSpellout/" + std::string(region.icuLocale) + "/" + set.name).c_str(),
                icuSpellout, region.icuLocale, set.numbers)
                ->Unit(benchmark::kNanosecond);
        }
    }
    benchmark::RegisterBenchmark("countWordsOfOneMegabyte", countWordsOfOneMegabyte)
        ->Unit(benchmark::kMicrosecond);
}

// The console report, keeping the CPU time per call of every run for the
// summary (the median when the runs are repeated).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred || run.time_unit != benchmark::kNanosecond)
                continue;
            if (run.run_type == Run::RT_Iteration)
                nanoseconds_[run.run_name.str()].push_back(run.GetAdjustedCPUTime());
            else if (run.aggregate_name == "median")
                medians_[run.run_name.str()] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    double median(const std::string& name) const {
        if (const auto given = medians_.find(name); given != medians_.end())
            return given->second;
        const auto found = nanoseconds_.find(name);
        if (found == nanoseconds_.end())
            return 0.0;
        std::vector<double> times = found->second;
        std::sort(times.begin(), times.end());
        const std::size_t half = times.size() / 2;
        return times.size() % 2 ? times[half] : (times[half - 1] + times[half]) / 2;
    }

private:
    std::map<std::string, std::vector<double>> nanoseconds_;
    std::map<std::string, double> medians_;
};

void printSummary(const RatioReporter& reporter) {
    using NumberSpelling::key;
    for (const NamedSet& set : kSets) {
        const double ours = reporter.median("numberToWords/" + std::string(set.name));
        const double icuFrench = reporter.median("icuSpellout/fr/" + std::string(set.name));
        if (ours <= 0.0)
            continue;
        std::printf(
            "%-6s NumberToWords %31.1f ns/call   ICU fr %8.1f ns/call   ICU / ours = %5.1f\n",
            set.name, ours, icuFrench, icuFrench / ours);
        for (const NamedRegion& region : kRegions) {
            const std::string regionKey = keyText(key(region.region));
            const double icu =
                reporter.median("icuSpellout/" + std::string(region.icuLocale) + "/" + set.name);
            std::vector<std::pair<std::string, std::string>> rows;
            for (const NumberSpelling::Spelling spelling : kOfficial)
                rows.emplace_back("words " + keyText(key(spelling)) + " " + regionKey,
                                  "words/" + keyText(key(spelling)) + "_" + regionKey + "/" +
                                      set.name);
            rows.emplace_back("acceptedForms either " + regionKey,
                              "acceptedForms/either_" + regionKey + "/" + set.name);
            for (const auto& [label, name] : rows) {
                const double time = reporter.median(name);
                if (time <= 0.0)
                    continue;
                std::printf("%-6s %-28s %8.1f ns/call = %4.2f x NumberToWords   ICU %-5s %8.1f "
                            "ns/call   ICU / ours = %5.1f\n",
                            set.name, label.c_str(), time, time / ours, region.icuLocale, icu,
                            icu / time);
            }
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    registerBenchmarks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printSummary(reporter);
    return 0;
}
