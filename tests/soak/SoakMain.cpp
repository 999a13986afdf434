// The soak of the transfer queue: many windows of the real application each Get their own slot at
// once from a virtual controller that loses, repeats and buries some of its replies. Every window
// must end with exactly its own slot; a Get that fails after all its retries must leave its window's
// preset as it was and show one alert, and none may show for a Get that came home; the process's
// memory must not grow from one round to the next. Not a test of CI: its figures go into
// docs/reliability.md. Exits with 1 when a check fails.
#include "app/EditorWindow.h"
#include "app/QuenloZKMEditorApplication.h"
#include "app/WindowManager.h"
#include "engine/CompositeMidiDeviceLayer.h"
#include "engine/VirtualController.h"
#include "engine/ZKEditorEngine.h"
#include "engine/ZKSysEx.h"
#include "support/TestRig.h"

#include <cstdio>
#include <cstdlib>
#include <juce_gui_basics/juce_gui_basics.h>
#include <memory>
#include <unistd.h>
#include <vector>

// Last: Xlib defines macros (None, Bool, Status) that clash with names in the headers above.
#include <X11/Xlib.h>

namespace
{
constexpr int imageLength = VirtualController::imageLength;

// Xlib's default handler ends the process on harmless errors of windows shown without a window manager.
int quietXErrorHandler (Display*, XErrorEvent*) { return 0; }

struct Options
{
    int windows = 24;
    int rounds = 2;
    int dropEvery = 50;
    int duplicateEvery = 30;
    bool unrelated = true;
    int roundLimitSeconds = 1800;
};

Options parseOptions (int argc, char** argv)
{
    Options options;

    for (int i = 1; i + 1 < argc; i += 2)
    {
        const juce::String name (argv[i]);
        const int value = juce::String (argv[i + 1]).getIntValue();

        if (name == "--windows")
            options.windows = juce::jlimit (1, VirtualController::numberOfSlots, value);
        else if (name == "--rounds")
            options.rounds = juce::jmax (1, value);
        else if (name == "--drop-every")
            options.dropEvery = juce::jmax (0, value);
        else if (name == "--duplicate-every")
            options.duplicateEvery = juce::jmax (0, value);
        else if (name == "--unrelated")
            options.unrelated = value != 0;
        else if (name == "--round-limit-seconds")
            options.roundLimitSeconds = juce::jmax (1, value);
        else
            std::fprintf (stderr, "unknown option %s\n", argv[i]);
    }

    return options;
}

/** A slot image of its own for every slot and round, each byte a valid 7-bit value. */
juce::Array<juce::uint8> createSlotImage (int slot, int round)
{
    juce::Array<juce::uint8> image;
    const int seed = round * VirtualController::numberOfSlots + slot;

    for (int i = 0; i < imageLength; ++i)
        image.add ((juce::uint8) ((i * 7 + seed * 13 + 1) % 128));

    return image;
}

/** The 465 image bytes of what a window's engine holds now. */
juce::Array<juce::uint8> getImage (ZKEditorEngine& engine)
{
    const auto dump = engine.createPresetData (0);
    juce::Array<juce::uint8> image;
    image.addArray (dump, ZKSysEx::dumpImageOffset, imageLength);
    return image;
}

/** Resident memory of the process in kB, from /proc/self/statm. */
long residentKb()
{
    long sizePages = 0, residentPages = 0;

    if (auto* statm = std::fopen ("/proc/self/statm", "r"))
    {
        if (std::fscanf (statm, "%ld %ld", &sizePages, &residentPages) != 2)
            residentPages = 0;

        std::fclose (statm);
    }

    return residentPages * (sysconf (_SC_PAGESIZE) / 1024);
}

/** Hears one window's engine beside the window itself. */
struct GetRecorder : public ZKEditorEngine::Listener
{
    void midiCommunicationFailed (const juce::String&) override { ++failures; }

    void presetFetched (juce::uint8 slot) override
    {
        ++fetches;
        fetchedSlot = slot;
    }

    void transferEnded (const ZKEditorEngine::TransferStatus& status) override
    {
        ++ends;
        lastStatus = status;
    }

    void reset() { *this = GetRecorder(); }

    int failures = 0;
    int fetches = 0;
    int fetchedSlot = -1;
    int ends = 0;
    ZKEditorEngine::TransferStatus lastStatus;
};

int countMidiErrorAlerts()
{
    int count = 0;
    auto& desktop = juce::Desktop::getInstance();

    for (int i = 0; i < desktop.getNumComponents(); ++i)
        if (auto* alert = dynamic_cast<juce::AlertWindow*> (desktop.getComponent (i)))
            if (alert->getName() == "MIDI Error" && alert->isShowing())
                ++count;

    return count;
}

using TestRig::pump;

VirtualController* findVirtualController (MidiManager& manager)
{
    auto* composite = dynamic_cast<CompositeMidiDeviceLayer*> (&manager.getDeviceLayer());

    if (composite == nullptr)
        return nullptr;

    for (int i = 0; i < composite->getNumLayers(); ++i)
        if (auto* controller = dynamic_cast<VirtualController*> (composite->getLayer (i)))
            return controller;

    return nullptr;
}

/** One round: every window Gets its own slot at once. Returns the number of failed checks. */
int runRound (int round, const Options& options, QuenloZKMEditorApplication& application, VirtualController& controller,
              std::vector<std::unique_ptr<GetRecorder>>& recorders)
{
    const auto& windows = application.getWindowManager()->getWindows();
    const int numWindows = options.windows;
    std::vector<juce::Array<juce::uint8>> before;

    for (int slot = 0; slot < numWindows; ++slot)
    {
        controller.setSlot (slot, createSlotImage (slot, round));
        recorders[(size_t) slot]->reset();
        before.push_back (getImage (*windows[slot]->getEngine()));
    }

    controller.clearReceivedMessages();
    const auto start = juce::Time::getMillisecondCounterHiRes();
    int problems = 0;

    for (int slot = 0; slot < numWindows; ++slot)
    {
        if (! windows[slot]->getEngine()->startGet ((juce::uint8) slot))
        {
            std::printf ("round %d: window %d: the Get was refused\n", round, slot + 1);
            ++problems;
        }
    }

    const auto allEnded = [&]
    {
        for (int slot = 0; slot < numWindows; ++slot)
            if (recorders[(size_t) slot]->ends == 0)
                return false;

        return true;
    };

    bool hung = false;

    while (! allEnded())
    {
        pump (20);

        if (juce::Time::getMillisecondCounterHiRes() - start > options.roundLimitSeconds * 1000.0)
        {
            hung = true;
            break;
        }
    }

    const auto wallSeconds = (juce::Time::getMillisecondCounterHiRes() - start) / 1000.0;

    // Lets the windows show their alerts, and a late reply of the last Get arrive to no one.
    pump (3000);

    int completed = 0, failed = 0, otherEnds = 0, attempts = 0, retries = 0, reportedFailures = 0;

    for (int slot = 0; slot < numWindows; ++slot)
    {
        const auto& recorder = *recorders[(size_t) slot];
        const auto image = getImage (*windows[slot]->getEngine());
        const auto stage = recorder.lastStatus.stage;
        using Stage = ZKEditorEngine::TransferStatus::Stage;
        reportedFailures += recorder.failures;

        if (recorder.ends != 1)
        {
            std::printf ("round %d: window %d: its Get ended %d times\n", round, slot + 1, recorder.ends);
            ++problems;
            continue;
        }

        attempts += recorder.lastStatus.retries + 1;
        retries += recorder.lastStatus.retries;

        if (stage == Stage::completed)
        {
            ++completed;

            if (image != createSlotImage (slot, round))
            {
                int foreign = -1;

                for (int other = 0; other < numWindows; ++other)
                    if (image == createSlotImage (other, round))
                        foreign = other;

                std::printf (
                    "round %d: window %d: completed with a preset that is not its slot%s\n", round, slot + 1,
                    foreign >= 0 ? juce::String (" (it is slot " + juce::String (foreign + 1) + ")").toRawUTF8() : "");
                ++problems;
            }

            if (recorder.failures != 0 || recorder.fetches != 1 || recorder.fetchedSlot != slot)
            {
                std::printf ("round %d: window %d: completed with %d failures, %d fetches, slot %d\n", round, slot + 1,
                             recorder.failures, recorder.fetches, recorder.fetchedSlot + 1);
                ++problems;
            }
        }
        else if (stage == Stage::failed)
        {
            ++failed;

            if (image != before[(size_t) slot])
            {
                std::printf ("round %d: window %d: failed but its preset changed\n", round, slot + 1);
                ++problems;
            }

            if (recorder.failures != 1 || recorder.fetches != 0)
            {
                std::printf ("round %d: window %d: failed with %d failures reported and %d fetches\n", round, slot + 1,
                             recorder.failures, recorder.fetches);
                ++problems;
            }
        }
        else
        {
            ++otherEnds;
            std::printf ("round %d: window %d: its Get ended neither completed nor failed\n", round, slot + 1);
            ++problems;
        }
    }

    // Each window shows one alert per failed Get of its own; none for a Get that came home.
    const int alerts = countMidiErrorAlerts();

    if (alerts != failed)
    {
        std::printf ("round %d: %d \"MIDI Error\" alerts on screen for %d failed Gets\n", round, alerts, failed);
        ++problems;
    }

    // The faults are meant to be survivable: a Get that failed after all its retries left a window
    // without its slot, although the alert it showed was right.
    if (failed > 0)
    {
        std::printf ("round %d: %d of %d windows did not get their slot\n", round, failed, numWindows);
        problems += failed;
    }

    const int requests = (int) controller.getReceivedMessages().size();
    controller.clearReceivedMessages();

    juce::ModalComponentManager::getInstance()->cancelAllModalComponents();
    pump (500);

    if (hung)
    {
        std::printf ("round %d: not every Get had ended after %d s\n", round, options.roundLimitSeconds);
        ++problems;
    }

    std::printf ("round %d: %d windows, wall %.1f s, completed %d, failed %d, other %d, attempts %d (retries %d), "
                 "requests %d, alerts %d (failures reported %d), checks failed %d, resident %ld kB\n",
                 round, numWindows, wallSeconds, completed, failed, otherEnds, attempts, retries, requests, alerts,
                 reportedFailures, problems, residentKb());
    std::fflush (stdout);
    return problems;
}
} // namespace

int main (int argc, char** argv)
{
    const auto options = parseOptions (argc, argv);

    // The application's own MIDI manager then offers the virtual controller beside the system's devices.
    setenv ("ZKM_EDITOR_VIRTUAL_CONTROLLER", "1", 1);

    int problems = 0;

    {
        juce::ScopedJuceInitialiser_GUI juce;
        XSetErrorHandler (quietXErrorHandler);

        auto application = std::make_unique<QuenloZKMEditorApplication>();
        application->initialise ({});
        pump (200);

        auto& manager = application->getMidiManager();
        auto* controller = findVirtualController (manager);

        if (controller == nullptr)
        {
            std::printf ("no virtual controller\n");
            return 1;
        }

        manager.setInputDevice (VirtualController::deviceName);
        manager.setOutputDevice (VirtualController::deviceName);

        while (application->getWindowManager()->getWindows().size() < options.windows)
            if (application->openNewWindow() == nullptr)
                return 1;

        pump (500);

        VirtualController::Faults faults;
        faults.dropEveryNthReply = options.dropEvery;
        faults.duplicateEveryNthReply = options.duplicateEvery;

        if (options.unrelated)
            faults.messagesBeforeEachReply = VirtualControllerFaults::unrelatedMessages();

        controller->setFaults (faults);

        // 0 means that fault is off.
        std::printf ("faults: every n-th reply dropped, n = %d; every n-th sent twice, n = %d; unrelated MIDI %s; "
                     "resident before the first round %ld kB\n",
                     options.dropEvery, options.duplicateEvery, options.unrelated ? "before every reply" : "off",
                     residentKb());

        std::vector<std::unique_ptr<GetRecorder>> recorders;
        const auto& windows = application->getWindowManager()->getWindows();

        for (int i = 0; i < options.windows; ++i)
        {
            recorders.push_back (std::make_unique<GetRecorder>());
            windows[i]->getEngine()->addListener (recorders.back().get());
        }

        std::vector<long> resident;

        for (int round = 1; round <= options.rounds; ++round)
        {
            problems += runRound (round, options, *application, *controller, recorders);
            resident.push_back (residentKb());
        }

        for (size_t round = 1; round < resident.size(); ++round)
            std::printf ("resident after round %d minus after round %d: %+ld kB\n", (int) round + 1, (int) round,
                         resident[round] - resident[round - 1]);

        for (int i = 0; i < options.windows; ++i)
            windows[i]->getEngine()->removeListener (recorders[(size_t) i].get());

        application->shutdown();
        application.reset();
        pump (200);
    }

    std::printf ("%s\n", problems == 0 ? "soak: every check passed" : "soak: checks failed");
    return problems == 0 ? 0 : 1;
}
