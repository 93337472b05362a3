// Showing help topics in the help window, on the pages that once froze it: a
// contents page of thousands of links and one very long paragraph.
#include <QApplication>
#include <QTextBrowser>

#include <benchmark/benchmark.h>

#include <string>

#include "app/gui/help_window.h"
#include "help/help_file.h"

namespace {

using namespace trevane;

// Topic 1 links n topics, one a line; topic 2 is one paragraph of n words.
HelpFile HelpOf(int n) {
    std::string text = "@topic 1\n@title Contents\n";
    for (int i = 0; i < n; ++i) text += "- [[" + std::to_string(10 + i) + "]]\n";
    text += "@topic 2\n@title Long\n";
    for (int i = 0; i < n; ++i) text += (i % 12 == 11) ? "word\n" : "word ";
    text += "\n";
    for (int i = 0; i < n; ++i) text += "@topic " + std::to_string(10 + i) + "\n@title T" + std::to_string(i) + "\n";
    HelpFile help;
    help.Parse(text, "bench.hlp");
    return help;
}

void BM_ShowHelpTopic(benchmark::State& state) {
    const HelpFile help = HelpOf(static_cast<int>(state.range(1)));
    const int topic = static_cast<int>(state.range(0));
    for (auto _ : state) {
        HelpWindow window(help, nullptr);
        window.resize(760, 540);
        window.ShowTopic(topic);
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.CurrentTopic());
    }
}
BENCHMARK(BM_ShowHelpTopic)
    ->ArgNames({"topic", "n"})
    ->ArgsProduct({{1, 2}, {5000, 20000}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
