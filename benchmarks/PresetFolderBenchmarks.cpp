// The preset folder panel on a folder of 1,000 preset files: listing it for the first time, and
// answering a keystroke in the search box (filter, table update and a repaint of the whole panel).
// And on a folder of 100,000: how late the message thread runs while the panel opens on it and
// while it watches it.
#include "LatenessProbe.h"
#include "app/PresetFolderPanel.h"
#include "engine/PresetFolder.h"
#include "model/PresetNameText.h"
#include "support/TestRig.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <sys/resource.h>

namespace
{
constexpr int numberOfFiles = 1000;
constexpr int numberOfFilesInAHugeFolder = 100000;
constexpr int listingTimeoutMs = 600000;
constexpr int watchedTicks = 5;

/** A folder of preset files under names of a librarian's sort ("Strings 17", "Bass 342"), removed
    when it goes. */
struct LargePresetFolder
{
    explicit LargePresetFolder (int count = numberOfFiles)
        : size (count)
    {
        folder.createDirectory();
        const juce::StringArray kinds{ "Strings", "Bass", "Pad", "Lead", "Drums", "Keys", "Organ", "Brass" };

        for (int i = 0; i < count; ++i)
            writePreset (folder.getChildFile ("preset-" + juce::String (i).paddedLeft ('0', 6) + ".zkp"),
                         kinds[i % kinds.size()] + " " + juce::String (i));
    }

    ~LargePresetFolder() { folder.deleteRecursively(); }

    static void writePreset (const juce::File& file, const juce::String& presetName)
    {
        auto dump = TestRig::defaultPresetDump();
        const auto name = PresetNameText::toBytes (presetName);

        for (int b = 0; b < PresetNameText::length; ++b)
            dump.set (TestRig::imageOffset + b, name[b]);

        // Written in place rather than through a temporary file: a hundred thousand of them are made.
        juce::FileOutputStream out (file);
        out.write (dump.getRawDataPointer(), (size_t) dump.size());
    }

    const int size;
    juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                            .getNonexistentChildFile ("ZKMPresetFolderBenchmark", {}, false);
};

double cpuSecondsOfProcess()
{
    rusage usage{};
    getrusage (RUSAGE_SELF, &usage);
    return (double) usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1.0e6 + (double) usage.ru_stime.tv_sec
           + usage.ru_stime.tv_usec / 1.0e6;
}

/** Runs the message loop, as the editor does, until the predicate holds or the time is up. */
bool runMessageLoopUntil (const std::function<bool()>& predicate, int timeoutMs)
{
    const auto deadline = juce::Time::getMillisecondCounterHiRes() + timeoutMs;

    while (! predicate())
    {
        if (juce::Time::getMillisecondCounterHiRes() >= deadline)
            return false;

        juce::MessageManager::getInstance()->runDispatchLoopUntil (5);
    }

    return true;
}

/** A window on the desktop for the panel, so that it shows and watches its folder. The window is
    made and painted before the panel comes, so that only the panel is measured. */
struct HostWindow : public juce::Component
{
    HostWindow()
    {
        setBounds (0, 0, 420, 700);
        addToDesktop (0);
        setVisible (true);
    }

    void paint (juce::Graphics& g) override { g.fillAll (juce::Colours::black); }

    void open (juce::PropertySet& settings)
    {
        panel = std::make_unique<PresetFolderPanel> (settings);
        panel->setBounds (getLocalBounds());
        addAndMakeVisible (*panel);
    }

    std::unique_ptr<PresetFolderPanel> panel;
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

    // The folder is listed off the message thread: the keystrokes start once its list is shown.
    if (! runMessageLoopUntil ([&] { return (int) panel.getShownEntries().size() == numberOfFiles; }, listingTimeoutMs))
        state.SkipWithError ("the folder was not listed");

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

/** A panel opens on a folder of 100,000 preset files, lists it, then watches it unchanged for a few
    ticks and sees a file that is added: the worst lateness of the message thread while it opens and
    while it watches, the time until the files show and the process's CPU time while it watches. */
void presetPanelOnAHugeFolder (benchmark::State& state)
{
    LargePresetFolder files (numberOfFilesInAHugeFolder);
    const auto added = files.folder.getChildFile ("added.zkp");

    for (auto _ : state)
    {
        // Messages posted before the panel opens run first, so that only the panel counts.
        juce::MessageManager::getInstance()->runDispatchLoopUntil (50);
        juce::PropertySet settings;
        settings.setValue (PresetFolderPanel::settingsKey, files.folder.getFullPathName());

        auto window = std::make_unique<HostWindow>();
        juce::MessageManager::getInstance()->runDispatchLoopUntil (200);

        auto openProbe = std::make_unique<LatenessProbe>();
        const auto openedAt = juce::Time::getMillisecondCounterHiRes();
        window->open (settings);
        const auto& panel = *window->panel;

        if (! runMessageLoopUntil ([&] { return (int) panel.getShownEntries().size() == files.size; },
                                   listingTimeoutMs))
            state.SkipWithError ("the folder was not listed");

        const auto listedMs = juce::Time::getMillisecondCounterHiRes() - openedAt;
        openProbe->stop();
        juce::MessageManager::getInstance()->runDispatchLoopUntil (20);

        auto watchProbe = std::make_unique<LatenessProbe>();
        const auto cpuBefore = cpuSecondsOfProcess();
        const auto watchedAt = juce::Time::getMillisecondCounterHiRes();
        runMessageLoopUntil ([] { return false; }, watchedTicks * PresetFolderPanel::rescanIntervalMs);
        const auto watchedMs = juce::Time::getMillisecondCounterHiRes() - watchedAt;
        const auto cpuPercent = 100.0 * (cpuSecondsOfProcess() - cpuBefore) * 1000.0 / watchedMs;

        LargePresetFolder::writePreset (added, "Added");
        const auto addedAt = juce::Time::getMillisecondCounterHiRes();

        if (! runMessageLoopUntil ([&] { return (int) panel.getShownEntries().size() == files.size + 1; },
                                   listingTimeoutMs))
            state.SkipWithError ("the added file was not listed");

        const auto addedMs = juce::Time::getMillisecondCounterHiRes() - addedAt;
        watchProbe->stop();
        juce::MessageManager::getInstance()->runDispatchLoopUntil (20);

        state.SetIterationTime (listedMs / 1000.0);
        state.counters["files"] = files.size;
        state.counters["listed_ms"] = listedMs;
        state.counters["added_shown_ms"] = addedMs;
        state.counters["worst_lateness_opening_ms"] = openProbe->getWorstLatenessMs();
        state.counters["worst_lateness_watching_ms"] = watchProbe->getWorstLatenessMs();
        state.counters["cpu_percent_watching"] = cpuPercent;

        // Messages the probes posted are run before the probes go.
        window.reset();
        juce::MessageManager::getInstance()->runDispatchLoopUntil (200);
        added.deleteFile();
    }
}
} // namespace

BENCHMARK (presetFolderFirstScan)->Unit (benchmark::kMillisecond);
BENCHMARK (presetSearchKeystroke)->Unit (benchmark::kMillisecond)->UseManualTime()->Iterations (200);
BENCHMARK (presetPanelOnAHugeFolder)->Unit (benchmark::kMillisecond)->UseManualTime()->Iterations (1);
