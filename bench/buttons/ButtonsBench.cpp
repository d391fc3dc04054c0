// Reading description sections and driving a button set, for growing sizes.
#include "buttons/CButton.h"
#include "buttons/CSrcReader.h"
#include "platform/fake/FakeControls.h"
#include "platform/fake/FakePicture.h"
#include "platform/fake/FakeServices.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

const std::string kFile = "/bench/button.txt";

// A section of n buttons in a row, one element a line.
std::vector<std::string> sectionLines(int n)
{
    std::vector<std::string> lines{"<S>"};
    for (int i = 0; i < n; ++i)
        lines.push_back("<X=" + std::to_string(i * 10) + " Y=0 W=10 H=10 RES=0 STYLE=2 FRAME=4 DFRAME=-1 MASK= TIP=提示 >");
    lines.push_back("</S>");
    return lines;
}

void BM_ReadSection(benchmark::State& state)
{
    platform::fake::FakeTextFiles files;
    platform::fake::FakeMessageBoxes messages;
    files.contents[kFile] = sectionLines(int(state.range(0)));
    for (auto _ : state) {
        buttons::CSrcReader reader(files, messages);
        reader.Init(kFile, "S");
        int elements = 0;
        while (reader.GetOneSrcStr())
            elements += reader.GetOneProperty("TIP").empty() ? 0 : 1;
        benchmark::DoNotOptimize(elements);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadSection)->RangeMultiplier(8)->Range(8, 4096)->Complexity();

struct BenchSet {
    platform::fake::FakeTextFiles files;
    platform::fake::FakeMessageBoxes messages;
    platform::fake::FakeForm form;
    platform::fake::FakePictureClip clip;
    platform::fake::FakeLabel tip;
    platform::fake::FakeTimer timer;
    buttons::CButton set{files, messages};

    explicit BenchSet(int n)
    {
        clip.setPicture(platform::fake::makeFakePicture("pic", 40, 10));
        clip.setCols(4);
        files.contents[kFile] = sectionLines(n);
        set.Init(form, clip, tip, timer);
    }
};

void BM_ImportButtons(benchmark::State& state)
{
    BenchSet bench(int(state.range(0)));
    for (auto _ : state) {
        bench.set.Init(bench.form, bench.clip, bench.tip, bench.timer);
        benchmark::DoNotOptimize(bench.set.ImportButton(kFile, "S", false));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ImportButtons)->RangeMultiplier(8)->Range(8, 4096)->Complexity();

// The pointer going back and forth between the first and the last button:
// each move hit-tests the whole row and redraws two buttons.
void BM_MouseMoveAcrossTheRow(benchmark::State& state)
{
    const int n = int(state.range(0));
    BenchSet bench(n);
    bench.set.ImportButton(kFile, "S", true);
    bool atEnd = false;
    for (auto _ : state) {
        bench.set.OnMouseMove(0, 0, atEnd ? 5.0f : float(n * 10 - 5), 5);
        atEnd = !atEnd;
        bench.form.ops.clear();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_MouseMoveAcrossTheRow)->RangeMultiplier(8)->Range(8, 4096)->Complexity();

} // namespace

BENCHMARK_MAIN();
