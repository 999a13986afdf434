#include <benchmark/benchmark.h>
#include <juce_gui_basics/juce_gui_basics.h>

// Last: Xlib defines macros (None, Bool, Status) that clash with names in the headers above.
#include <X11/Xlib.h>

namespace
{
// Xlib's default handler ends the process on harmless errors of windows shown without a window manager.
int quietXErrorHandler (Display*, XErrorEvent*) { return 0; }
} // namespace

// Google Benchmark's main, run inside an initialised JUCE GUI so that components, timers and the
// message loop work as in the program.
int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juce;
    XSetErrorHandler (quietXErrorHandler);
    benchmark::Initialize (&argc, argv);
    if (benchmark::ReportUnrecognizedArguments (argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
