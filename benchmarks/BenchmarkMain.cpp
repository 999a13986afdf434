#include <benchmark/benchmark.h>
#include <juce_gui_basics/juce_gui_basics.h>

// Google Benchmark's main, run inside an initialised JUCE GUI so that components, timers and the
// message loop work as in the program.
int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juce;
    benchmark::Initialize (&argc, argv);
    if (benchmark::ReportUnrecognizedArguments (argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
