// The preset folder panel on a folder of 1,000 preset files: listing it for the first time, and
// answering a keystroke in the search box (filter, table update and a repaint of the whole panel).
#include "app/PresetFolderPanel.h"
#include "engine/PresetFolder.h"
#include "model/PresetNameText.h"
#include "support/TestRig.h"

#include <benchmark/benchmark.h>
#include <chrono>

namespace
{
constexpr int numberOfFiles = 1000;

/** A folder of preset files under names of a librarian's sort ("Strings 17", "Bass 342"), removed
    when it goes. */
struct LargePresetFolder
{
    LargePresetFolder()
    {
        folder.createDirectory();
        const juce::StringArray kinds{ "Strings", "Bass", "Pad", "Lead", "Drums", "Keys", "Organ", "Brass" };

        for (int i = 0; i < numberOfFiles; ++i)
        {
            auto dump = TestRig::defaultPresetDump();
            const auto name = PresetNameText::toBytes (kinds[i % kinds.size()] + " " + juce::String (i));

            for (int b = 0; b < PresetNameText::length; ++b)
                dump.set (TestRig::imageOffset + b, name[b]);

            folder.getChildFile ("preset-" + juce::String (i).paddedLeft ('0', 4) + ".zkp")
                .replaceWithData (dump.getRawDataPointer(), (size_t) dump.size());
        }
    }

    ~LargePresetFolder() { folder.deleteRecursively(); }

    juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                            .getNonexistentChildFile ("ZKMPresetFolderBenchmark", {}, false);
};

void presetFolderFirstScan (benchmark::State& state)
{
    LargePresetFolder files;

    for (auto _ : state)
    {
        PresetFolder list (files.folder);
        list.rescan();
        benchmark::DoNotOptimize (list.getEntries().data());
    }

    state.counters["files"] = numberOfFiles;
}

void presetSearchKeystroke (benchmark::State& state)
{
    LargePresetFolder files;
    juce::PropertySet settings;
    settings.setValue (PresetFolderPanel::settingsKey, files.folder.getFullPathName());
    PresetFolderPanel panel (settings);
    panel.setBounds (0, 0, 420, 700);

    juce::TextEditor* search = nullptr;

    for (auto* child : panel.getChildren())
        if (child->getName() == "Search Presets")
            search = dynamic_cast<juce::TextEditor*> (child);

    // Typing a name and taking it back again, one character at a time.
    const juce::String typed ("strings 12");
    juce::StringArray steps;

    for (int i = 0; i <= typed.length(); ++i)
        steps.add (typed.substring (0, i));

    for (int i = typed.length() - 1; i > 0; --i)
        steps.add (typed.substring (0, i));

    // The panel has been painted once by the time anyone types: fonts and glyphs are loaded then.
    benchmark::DoNotOptimize (panel.createComponentSnapshot (panel.getLocalBounds()).getWidth());

    double worstMs = 0;
    int step = 0;

    for (auto _ : state)
    {
        const auto start = std::chrono::steady_clock::now();
        // What the box does for a keystroke: its text changes, then it tells its listener.
        search->setText (steps[step++ % steps.size()], false);
        search->onTextChange();
        const auto image = panel.createComponentSnapshot (panel.getLocalBounds());
        benchmark::DoNotOptimize (image.getWidth());
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime (elapsed.count());
        worstMs = juce::jmax (worstMs, elapsed.count() * 1000.0);
    }

    state.counters["worst_ms"] = worstMs;
    state.counters["files"] = numberOfFiles;
}
} // namespace

BENCHMARK (presetFolderFirstScan)->Unit (benchmark::kMillisecond);
BENCHMARK (presetSearchKeystroke)->Unit (benchmark::kMillisecond)->UseManualTime()->Iterations (200);
