// A seeded random sequence of what users do with several windows at once, against the program's
// virtual controller misbehaving, with every question answered at random (and sometimes a close or
// a quit request made while it is open). The steps are the program's own operations: the menu
// commands performed on a window or on the application, the Send and Get dialogs, the Slots
// window's actions, the virtual controller's panel, and a change made on the controller itself
// behind the editor's back. After each step the invariants below are checked, and those of the
// slots whenever the jobs are idle; a failure prints the seed and the steps, so that
// `ZKM_RANDOM_SEED=<seed>` replays it exactly.
//
// Every command a menu offers and every kind of transfer has a step here: the guard test at the end
// fails when one is added without a step (see stepTable and stepMakingKind).
#include "app/CommandIDs.h"
#include "app/SlotsWindow.h"
#include "app/VirtualControllerPanel.h"
#include "app/VirtualControllerWindow.h"
#include "engine/DeviceSettings.h"
#include "engine/MidiDeviceLayerFactory.h"
#include "engine/PresetTransfer.h"
#include "engine/SlotBackup.h"
#include "model/PresetLayout.h"
#include "model/PresetNameText.h"
#include "support/AppTestHelpers.h"
#include "support/MessageLoop.h"
#include "support/SlotClaimWatcher.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <set>

using apptest::ApplicationTest;
using apptest::pump;
using apptest::ScratchFolder;

namespace
{
/** The seeds that every run of the suite takes; scripts/monkey.sh tries others for longer. */
const std::vector<juce::int64> fixedSeeds{ 11, 23, 37 };

// The suite's budget is counted in steps, not in seconds, so that a slow or busy machine takes
// longer but does the same work. The 300 steps below (3 seeds of 100, program starts and the waits
// for the jobs included) took 33 s here with four busy loops and another test program beside them
// (load average 8, 110 ms a step): about 100 s on a machine three times slower, a third of the
// 300 s that CTest gives an application test. The long exploration is scripts/monkey.sh's.
// ThreadSanitizer slows the program about tenfold: it takes one seed.
#if defined(__SANITIZE_THREAD__)
constexpr size_t seedsToRun = 1;
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
constexpr size_t seedsToRun = 1;
#else
constexpr size_t seedsToRun = 3;
#endif
#else
constexpr size_t seedsToRun = 3;
#endif
constexpr int defaultStepsPerSeed = 100;
constexpr int maxWindows = 4;

// Every job must be over this long after the last step, however slow the machine.
constexpr int drainTimeoutMs = 120000;

// A reply that will come is waited for this long; only the fault steps drop replies for real.
constexpr int replyTimeoutMs = 3000;

/** The image bytes in which two images differ, for a failure message. */
juce::String describeDifference (const juce::Array<juce::uint8>& actual, const juce::Array<juce::uint8>& expected)
{
    if (actual.size() != expected.size())
        return juce::String (actual.size()) + " bytes where " + juce::String (expected.size()) + " were expected";

    juce::StringArray differences;

    for (int i = 0; i < actual.size(); ++i)
        if (actual[i] != expected[i])
            differences.add ("byte " + juce::String (i) + " is " + juce::String (actual[i]) + ", not "
                             + juce::String (expected[i]));

    return differences.isEmpty() ? juce::String ("no difference") : differences.joinIntoString ("; ");
}

/** One document window of the sequence, with what it was told. */
struct WindowRecord : public ZKEditorEngine::Listener
{
    explicit WindowRecord (EditorWindow& windowToWatch)
        : window (&windowToWatch)
        , engine (windowToWatch.getEngine())
    {
        safeImages.add (TestRig::getImage (*engine));
        engine->addListener (this);
    }

    ~WindowRecord() override { engine->removeListener (this); }

    /** Images that are in a verified slot, were fetched, or where the window started: besides those
        in a preset file, the only ones it may show without the unsaved mark. */
    void addSafeImage() { safeImages.addIfNotAlreadyThere (TestRig::getImage (*engine)); }

    void presetFetched (juce::uint8) override { addSafeImage(); }

    void sendCompleted (const ZKEditorEngine::TransferStatus& send, const juce::Array<juce::uint8>& sentImage) override
    {
        if (! send.verify)
            safeImages.addIfNotAlreadyThere (sentImage);
    }

    void verificationEnded (const ZKEditorEngine::Verification& verification) override
    {
        if (verification.matches())
            safeImages.addIfNotAlreadyThere (verification.sentImage);
    }

    juce::Component::SafePointer<EditorWindow> window;
    ZKEditorEngine::Ptr engine;
    juce::Array<juce::Array<juce::uint8>> safeImages;

    // Live Edit as the sequence saw it: the event number from which the window was live (0 while
    // not), and whether its slot was changed on the controller meanwhile.
    int liveSince = 0;
    int liveOnSlot = -1;
    bool liveSlotChangedUnseen = false;
};

/** A copy or swap of the Slots window under way, with the presets the two slots held before. */
struct PairJob
{
    bool swap = false;
    int first = -1, second = -1;
    juce::Array<juce::uint8> firstImage, secondImage;
    size_t firstWrites = 0, secondWrites = 0;
    std::set<int> slotsWithQueuedWrites;
};

class RandomSequenceTest : public ApplicationTest
{
public:
    /** One step of the sequence: its name as the log shows it, the menu command it carries out
        (0 for none), how often it is taken relative to the others, and what it does to the window
        picked for it. */
    struct Step
    {
        const char* name;
        juce::CommandID command;
        int weight;
        std::function<void (WindowRecord&)> run;
    };

protected:
    //==============================================================================
    void SetUp() override
    {
        // The program's own virtual controller, its slots in memory: the Slots window, the panel,
        // the monitor and every document window reach it through the program's MIDI manager.
        previousVirtualSetting = juce::SystemStats::getEnvironmentVariable (virtualControllerVariable, {});
        ::setenv (virtualControllerVariable, "1", 1);

        // Each seed starts from the default options, whatever ran before it, so that it replays
        // alone as it ran in the suite; a quit within a sequence keeps them, as the program does.
        if (! keepSettings)
            DeviceSettings::getDefaultFile().deleteFile();

        keepSettings = false;
        ApplicationTest::SetUp();

        auto& manager = application->getMidiManager();
        controller = findVirtualController (manager.getDeviceLayer());
        ASSERT_NE (controller, nullptr);
        manager.setInputDevice (VirtualController::deviceName);
        manager.setOutputDevice (VirtualController::deviceName);

        // Slots that differ, as on a controller in use: each has a name and a knob of its own.
        for (int slot = 0; slot < ZKSysEx::numberOfSlots; ++slot)
        {
            auto image = TestRig::getImageOfDump (TestRig::defaultPresetDump());
            const auto name = PresetNameText::toBytes ("Slot " + juce::String (slot + 1) + " preset");

            for (int i = 0; i < name.size(); ++i)
                image.set (i, name[i]);

            image.set (PresetLayout::getOffset (Knob, 0) + 1, (juce::uint8) slot);
            controller->setSlot (slot, image);
        }
    }

    void TearDown() override
    {
        watcher.reset();
        records.clear();
        closedRecords.clear();
        ApplicationTest::TearDown();
        controller = nullptr;

        if (previousVirtualSetting.isEmpty())
            ::unsetenv (virtualControllerVariable);
        else
            ::setenv (virtualControllerVariable, previousVirtualSetting.toRawUTF8(), 1);
    }

    //==============================================================================
    void runSequence (juce::int64 seed, int numSteps)
    {
        random.setSeed (seed);
        log.clear();
        note ("seed " + juce::String (seed));
        watchLiveWrites();
        prepareFiles();
        openWindow();

        for (int step = 0; step < numSteps && ! ::testing::Test::HasFailure(); ++step)
        {
            takeRandomStep();
            adoptNewWindows();
            followLiveEdits();
            checkInvariants();

            if (jobsIdle())
                checkSlots();

            if (application->isQuitRequested())
            {
                // The program would stop here; the sequence goes on in a new one, with a new
                // controller.
                note ("  quit accepted: the program starts again");
                drain();
                keepSettings = true;
                restartApplication();
            }
        }

        drain();

        if (::testing::Test::HasFailure())
            ADD_FAILURE() << "Replay with ZKM_RANDOM_SEED=" << seed << " ZKM_RANDOM_STEPS=" << numSteps
                          << "; the steps:\n"
                          << log.joinIntoString ("\n");
    }

    /** Shuts the program down and starts it again with one window of the sequence's own. */
    void restartApplication()
    {
        TearDown();
        SetUp();
        resetSlotModel();
        watchLiveWrites();
        openWindow();
    }

    void resetSlotModel()
    {
        watcher.reset();
        changedUnseen.clear();
        recentSlots.clear();
        pairJob.reset();
        faultStepsLeft = 0;
    }

    /** The steps of the sequence. Every command that a menu offers has one here, or is in
        commandsWithoutStep with the reason. */
    std::vector<Step> stepTable()
    {
        using R = WindowRecord&;
        return {
            // Windows and files.
            { "new window", CommandIDs::newWindow, 2, [this] (R) { openWindow(); } },
            { "open a file", CommandIDs::open, 1, [this] (R) { openFile(); } },
            { "close window", CommandIDs::closeWindow, 2, [this] (R r) { perform (r, CommandIDs::closeWindow); } },
            { "close window mid-job", 0, 1, [this] (R r) { closeMidJob (r); } },
            { "quit", CommandIDs::quit, 1, [this] (R) { performOnApplication (CommandIDs::quit); } },
            { "load", 0, 1, [] (R r) { r.window->loadPreset(); } },
            { "save", CommandIDs::save, 1, [this] (R r) { perform (r, CommandIDs::save); } },
            { "save as", CommandIDs::saveAs, 1, [this] (R r) { perform (r, CommandIDs::saveAs); } },
            { "minimise", CommandIDs::minimise, 1, [this] (R) { performOnApplication (CommandIDs::minimise); } },
            { "bring all to front", CommandIDs::bringAllToFront, 1,
              [this] (R) { performOnApplication (CommandIDs::bringAllToFront); } },
            { "zoom in", CommandIDs::zoomIn, 1, [this] (R) { performOnApplication (CommandIDs::zoomIn); } },
            { "zoom out", CommandIDs::zoomOut, 1, [this] (R) { performOnApplication (CommandIDs::zoomOut); } },
            { "actual size", CommandIDs::actualSize, 1, [this] (R) { performOnApplication (CommandIDs::actualSize); } },
            { "device setup", CommandIDs::deviceSetup, 1, [this] (R) { openAndCloseDeviceSetup(); } },

            // Editing.
            { "edit", 0, 6, [this] (R r) { editAtRandom (r); } },
            { "undo", CommandIDs::undo, 1, [this] (R r) { perform (r, CommandIDs::undo); } },
            { "redo", CommandIDs::redo, 1, [this] (R r) { perform (r, CommandIDs::redo); } },
            { "copy settings", CommandIDs::copyControlSettings, 1,
              [this] (R r) { perform (r, CommandIDs::copyControlSettings); } },
            { "paste settings", CommandIDs::pasteControlSettings, 1,
              [this] (R r) { perform (r, CommandIDs::pasteControlSettings); } },
            { "paste settings to all", CommandIDs::pasteControlSettingsToAll, 1,
              [this] (R r) { perform (r, CommandIDs::pasteControlSettingsToAll); } },
            { "number ascending", CommandIDs::numberControlsAscending, 1,
              [this] (R r) { perform (r, CommandIDs::numberControlsAscending); } },
            { "check preset", CommandIDs::checkPreset, 1, [this] (R r) { perform (r, CommandIDs::checkPreset); } },

            // The controller, through a document window.
            { "get", CommandIDs::getPreset, 3, [this] (R r) { getThroughDialog (r); } },
            { "send", CommandIDs::sendPreset, 4, [this] (R r) { sendThroughDialog (r, CommandIDs::sendPreset); } },
            { "send whole preset", CommandIDs::sendWholePreset, 2,
              [this] (R r) { sendThroughDialog (r, CommandIDs::sendWholePreset); } },
            { "cancel", 0, 2, [this] (R r) { cancelInTheStrip (r); } },
            { "internal sync", CommandIDs::setInternalSync, 1,
              [this] (R r) { perform (r, CommandIDs::setInternalSync); } },
            { "external sync", CommandIDs::setExternalSync, 1,
              [this] (R r) { perform (r, CommandIDs::setExternalSync); } },
            { "back up all", CommandIDs::backUpAllSlots, 1, [this] (R r) { perform (r, CommandIDs::backUpAllSlots); } },
            { "restore all", CommandIDs::restoreAllSlots, 1,
              [this] (R r) { perform (r, CommandIDs::restoreAllSlots); } },
            { "compare with slot", CommandIDs::compareWithSlot, 1,
              [this] (R r) { perform (r, CommandIDs::compareWithSlot); } },
            { "compare with file", CommandIDs::compareWithFile, 1,
              [this] (R r) { perform (r, CommandIDs::compareWithFile); } },
            { "live edit", CommandIDs::liveEditSlot, 3, [this] (R r) { perform (r, CommandIDs::liveEditSlot); } },
            { "edit while live", 0, 3, [this] (R r) { editAtRandom (liveWindowOr (r)); } },
            { "live edit stop", 0, 2, [this] (R r) { stopLiveEdit (liveWindowOr (r)); } },

            // Options.
            { "verify after send", CommandIDs::verifyAfterSend, 1,
              [this] (R) { performOnApplication (CommandIDs::verifyAfterSend); } },
            { "send changes only", CommandIDs::sendChangesOnly, 2,
              [this] (R) { performOnApplication (CommandIDs::sendChangesOnly); } },
            { "check before send", CommandIDs::checkBeforeSend, 1,
              [this] (R) { performOnApplication (CommandIDs::checkBeforeSend); } },
            { "follow the controller", CommandIDs::followController, 1,
              [this] (R) { performOnApplication (CommandIDs::followController); } },
            { "forget what the slots hold", CommandIDs::forgetSlotMemory, 1,
              [this] (R) { performOnApplication (CommandIDs::forgetSlotMemory); } },

            // The program's other windows.
            { "midi monitor", CommandIDs::midiMonitor, 1,
              [this] (R) { performOnApplication (CommandIDs::midiMonitor); } },
            { "virtual controller panel", CommandIDs::virtualControllerPanel, 1,
              [this] (R) { performOnApplication (CommandIDs::virtualControllerPanel); } },
            { "play the panel", 0, 2, [this] (R) { playThePanel(); } },

            // The Slots window.
            { "show slots", CommandIDs::showSlots, 1, [this] (R) { openSlotsWindow (CommandIDs::showSlots); } },
            { "slots window", CommandIDs::slotsWindow, 1, [this] (R) { openSlotsWindow (CommandIDs::slotsWindow); } },
            { "slots read names", 0, 1, [this] (R) { slots().readNames(); } },
            { "slots open", 0, 1, [this] (R) { slots().openSlot (randomSlot()); } },
            { "slots rename", 0, 2, [this] (R) { slots().renameSlot (randomSlot()); } },
            { "slots copy", 0, 2, [this] (R) { pairSlots (false); } },
            { "slots swap", 0, 2, [this] (R) { pairSlots (true); } },
            { "slots drop a row", 0, 1, [this] (R) { dropRow(); } },
            { "slots drop a file", 0, 2, [this] (R) { dropFile(); } },
            { "slots back up this slot", 0, 1, [this] (R) { slots().backUpSlot (randomSlot()); } },
            { "slots send active window here", 0, 2, [this] (R) { slots().sendActiveWindowTo (randomSlot()); } },
            { "slots cancel", 0, 2, [this] (R) { cancelSlotsJob(); } },
            { "slots close", 0, 1, [this] (R) { closeSlotsWindow(); } },

            // The controller itself.
            { "change on the controller", 0, 2, [this] (R) { changeBehindTheEditorsBack(); } },
            { "unplug", 0, 1, [this] (R) { controller->unplug(); } },
            { "replug", 0, 1, [this] (R) { controller->replug(); } },
            { "faults", 0, 1, [this] (R) { injectRandomFaults(); } },
            { "dismiss alerts", 0, 1, [] (R) { apptest::dismissAlerts(); } },
            { "wait", 0, 1, [this] (R) { pump (random.nextInt (400)); } },
            { "wait for the jobs", 0, 2, [this] (R) { waitForTheJobs(); } },
        };
    }

    /** The menu commands that are no step, each with the reason. */
    static std::map<juce::CommandID, const char*> commandsWithoutStep()
    {
        return {
            { CommandIDs::about,
              "shows a picture of the program and nothing else; it touches no document, job or slot" },
            { CommandIDs::openUserGuide, "hands a file to the desktop's viewer, another program outside the sequence" },
        };
    }

    /** The step that makes a transfer of that kind. The compiler lists a kind that is missing here;
        a new kind gets its step in stepTable above and its line here. */
    static const char* stepMakingKind (ZKEditorEngine::TransferStatus::Kind kind)
    {
        using Kind = ZKEditorEngine::TransferStatus::Kind;
#pragma GCC diagnostic push
#pragma GCC diagnostic error "-Wswitch"
        switch (kind)
        {
            case Kind::none:
                return "wait";
            case Kind::get:
                return "get";
            case Kind::send:
                return "send";
            case Kind::sync:
                return "external sync";
            case Kind::verify:
                return "verify after send";
            case Kind::backup:
                return "back up all";
            case Kind::compare:
                return "compare with slot";
            case Kind::liveEdit:
                return "live edit";
            case Kind::nameRead:
                return "slots read names";
            case Kind::rename:
                return "slots rename";
            case Kind::slotWrite:
                return "slots send active window here";
        }
#pragma GCC diagnostic pop
        return nullptr;
    }

    juce::Random random;
    juce::StringArray log;
    VirtualController* controller = nullptr;

    //==============================================================================
    void prepareFiles()
    {
        presetFile = scratch.getFile ("preset.zkp");
        presetFile.replaceWithData (TestRig::defaultPresetDump().getRawDataPointer(), (size_t) TestRig::dumpLength);
        // A second preset, unlike the first in almost every byte.
        auto patternDump = TestRig::defaultPresetDump();
        const auto pattern = TestRig::createPatternImage (5);

        for (int i = 0; i < pattern.size(); ++i)
            patternDump.set (TestRig::imageOffset + i, pattern[i]);

        otherPresetFile = scratch.getFile ("pattern.zkp");
        otherPresetFile.replaceWithData (patternDump.getRawDataPointer(), (size_t) patternDump.size());
        notAPreset = scratch.getFile ("notes.zkp");
        notAPreset.replaceWithText ("not a preset");
        backupFolders = { scratch.getFolder ("backup a"), scratch.getFolder ("backup b") };
    }

    /** The program's "New Window". */
    void openWindow()
    {
        if (windowManager().getWindows().size() >= maxWindows)
            return;

        performOnApplication (CommandIDs::newWindow);
        adoptNewWindows();
    }

    /** The program's "Open", which opens the chosen file in a new window. */
    void openFile()
    {
        application->chooseFile = [this] (const juce::String&, const juce::File&, const juce::String&, bool)
        {
            const juce::File choices[] = { {}, presetFile, otherPresetFile, notAPreset };
            return choices[random.nextInt (4)];
        };
        performOnApplication (CommandIDs::open);
    }

    /** Every document window that the program opened (New Window, Open, the Slots window's Open)
        joins the sequence: it answers its questions at random and is paced for the test. */
    void adoptNewWindows()
    {
        for (auto* window : windowManager().getWindows())
        {
            const bool known = std::any_of (records.begin(), records.end(),
                                            [window] (WindowRecord* r) { return r->window == window; });

            if (known)
                continue;

            window->getEngine()->setPacing (TestRig::fastPacing (replyTimeoutMs, 1));
            answerQuestionsAtRandom (*window);
            watcher.watch (*window->getEngine());
            records.add (new WindowRecord (*window));
            note ("  window " + juce::String (records.size() - 1) + " opened");
        }
    }

    /** Every question of the window gets a random answer; some also make a close or quit request
        while they are open, as the window manager may. */
    void answerQuestionsAtRandom (EditorWindow& window)
    {
        const juce::Component::SafePointer<EditorWindow> safe (&window);

        const auto interrupt = [this, safe]
        {
            const auto roll = random.nextInt (10);

            if (roll == 0 && safe != nullptr)
            {
                note ("  close request during the question");
                safe->closeButtonPressed();
            }
            else if (roll == 1)
            {
                note ("  quit request during the question");
                application->systemRequestedQuit();
            }
        };

        window.askToSaveChanges = [this, interrupt] (const juce::String&)
        {
            interrupt();
            const auto answer = (EditorWindow::SaveChangesAnswer) random.nextInt (3);
            note ("  save question answered " + juce::String ((int) answer));
            return answer;
        };
        window.askToRestore = [this, interrupt] (const juce::File&)
        {
            interrupt();
            return logAnswer ("restore", random.nextBool());
        };
        window.askToStopRestore = [this, interrupt] (int)
        {
            interrupt();
            return logAnswer ("stop restore", random.nextBool());
        };
        window.askToReplaceBackup = [this, interrupt] (const juce::File&)
        {
            interrupt();
            return logAnswer ("replace backup", random.nextBool());
        };
        window.askToSendAnyway = [this, interrupt] (const juce::String&)
        {
            interrupt();
            return logAnswer ("send anyway", random.nextBool());
        };
        window.chooseCompareSlot = [this, interrupt]
        {
            interrupt();
            return random.nextInt (8) == 0 ? -1 : (int) randomSlot();
        };
        window.chooseLiveEditSlot = [this, interrupt]
        {
            interrupt();
            const auto slot = random.nextInt (8) == 0 ? -1 : (int) randomSlot();
            note ("  live edit slot chosen: " + juce::String (slot + 1));
            return slot;
        };
        window.chooseFolder = [this] (const juce::String&, const juce::File&)
        { return random.nextInt (4) == 0 ? juce::File() : backupFolders[random.nextInt (2)]; };
        // Each window saves into a file of its own (or cancels): a window whose file another window
        // has since saved over rightly shows no unsaved mark, which the checks could not tell apart.
        const auto ownFile = scratch.getFile ("saved " + juce::String (++windowsOpened) + ".zkp");
        window.chooseFile =
            [this, ownFile] (const juce::String&, const juce::File&, const juce::String&, bool forSaving)
        {
            const juce::File choices[] = { {}, presetFile, notAPreset, ownFile };
            return forSaving ? (random.nextInt (4) == 0 ? juce::File() : ownFile) : choices[random.nextInt (4)];
        };
        window.showSummary = [this] (const juce::String& title, const juce::String& message)
        { note ("  summary " + title + ": " + message); };
    }

    /** Adds a line to the steps of the sequence; with ZKM_RANDOM_VERBOSE set it is also printed at
        once, so that the steps before a crash are there to read. */
    void note (const juce::String& line)
    {
        log.add (line);

        if (std::getenv ("ZKM_RANDOM_VERBOSE") != nullptr)
            std::cerr << line << std::endl;
    }

    bool logAnswer (const juce::String& question, bool answer)
    {
        note ("  " + question + " question answered " + (answer ? "yes" : "no"));
        return answer;
    }

    //==============================================================================
    void takeRandomStep()
    {
        // A closed window's Sends still run: its record goes on hearing them until the jobs are over.
        for (int i = records.size(); --i >= 0;)
            if (records[i]->window == nullptr)
                closedRecords.add (records.removeAndReturn (i));

        if (faultStepsLeft > 0 && --faultStepsLeft == 0)
        {
            note ("  the controller behaves again");
            controller->clearFaults();
        }

        if (records.isEmpty())
        {
            note ("new window");
            openWindow();
            return;
        }

        const auto steps = stepTable();
        int totalWeight = 0;

        for (const auto& step : steps)
            totalWeight += step.weight;

        auto roll = random.nextInt (totalWeight);
        size_t chosen = 0;

        while (roll >= steps[chosen].weight)
            roll -= steps[chosen++].weight;

        const auto& step = steps[chosen];
        auto& record = *records[random.nextInt (records.size())];
        note (juce::String (step.name) + " (window " + juce::String (records.indexOf (&record)) + ")");
        step.run (record);
        pump (random.nextInt (60));
    }

    /** Carries out a command as its menu item does: the window takes its own commands, the
        application the rest. */
    void perform (WindowRecord& record, juce::CommandID command)
    {
        juce::ApplicationCommandTarget::InvocationInfo info (command);

        if (record.window != nullptr && ! record.window->perform (info))
            application->perform (info);
    }

    void performOnApplication (juce::CommandID command)
    {
        juce::ApplicationCommandTarget::InvocationInfo info (command);
        application->perform (info);
    }

    /** Half the time one of the last few slots used, as a user works on a few slots at a time: so
        that Sends, Gets, Live Edit, the Slots window and changes on the controller meet. */
    juce::uint8 randomSlot()
    {
        const auto slot = recentSlots.size() > 0 && random.nextBool() ? recentSlots[random.nextInt (recentSlots.size())]
                                                                      : random.nextInt (ZKSysEx::numberOfSlots);
        recentSlots.removeFirstMatchingValue (slot);
        recentSlots.add (slot);

        if (recentSlots.size() > 4)
            recentSlots.remove (0);

        return (juce::uint8) slot;
    }

    void editAtRandom (WindowRecord& record)
    {
        static const int types[] = { Keybed, Transport, RollMode, Wheels, Sustain, Switch, Knob, Pad, MidiToDin };
        const auto type = types[random.nextInt ((int) std::size (types))];
        auto& controls = record.engine->getControls (type);
        const auto index = random.nextInt (controls.size());
        const auto& names = controls[index]->getParameterNames();
        const auto name = names[random.nextInt (names.size())];
        record.engine->editParameter (type, index, name, (juce::uint8) random.nextInt (128), nullptr);
    }

    /** "Get Preset": the dialog, a slot chosen in it, "Get". */
    void getThroughDialog (WindowRecord& record)
    {
        perform (record, CommandIDs::getPreset);

        if (record.window == nullptr)
            return;

        if (auto* dialog = record.window->getControllerDialogs().getGetPresetWindow())
        {
            const auto slot = randomSlot();
            note ("  slot " + juce::String (slot + 1));
            dialog->getPresetComponent().getSlotChooser().getComboBox().setSelectedId (slot + 1,
                                                                                       juce::sendNotificationSync);
            dialog->buttonClicked (&dialog->getPresetComponent().getActionButton());
        }
    }

    /** "Send Preset" or "Send Whole Preset...": the dialog, a slot chosen in it, "Send" (and the
        question of Check Before Send, answered at random). */
    void sendThroughDialog (WindowRecord& record, juce::CommandID command)
    {
        perform (record, command);

        if (record.window == nullptr)
            return;

        const juce::WeakReference<SendPresetWindow> dialog (
            record.window->getControllerDialogs().getSendPresetWindow());

        if (dialog == nullptr)
            return;

        const auto slot = randomSlot();
        note ("  slot " + juce::String (slot + 1));
        dialog->getPresetComponent().getSlotChooser().getComboBox().setSelectedId (slot + 1,
                                                                                   juce::sendNotificationSync);
        dialog->buttonClicked (&dialog->getPresetComponent().getActionButton());

        // A dialog left open (the question said no) is closed as its Cancel would.
        if (dialog != nullptr)
            dialog->buttonClicked (&dialog->getPresetComponent().getCancelButton());
    }

    /** "Cancel" in the window's strip, when it shows one. */
    void cancelInTheStrip (WindowRecord& record)
    {
        auto& cancel = record.window->getTransferStrip().getBar().getCancelButton();

        if (cancel.isShowing())
            cancel.triggerClick();
        else
            note ("  no Cancel to press");
    }

    /** A window closed while a job of its own runs (a Send is started first when none does). */
    void closeMidJob (WindowRecord& record)
    {
        if (! record.engine->isTransferInProgress())
        {
            const auto slot = randomSlot();
            note ("  a Send to slot " + juce::String (slot + 1) + " first");
            record.engine->startSend (slot);
        }

        pump (random.nextInt (30));

        if (record.window != nullptr)
            perform (record, CommandIDs::closeWindow);
    }

    void openAndCloseDeviceSetup()
    {
        performOnApplication (CommandIDs::deviceSetup);
        pump (random.nextInt (100));
        delete application->getDeviceSetupWindow();
    }

    //==============================================================================
    /** Live Edit never writes over what another window or the Slots window wrote into its slot
        after it went live: such a write ends Live Edit, or Live Edit would silently undo it. */
    void watchLiveWrites()
    {
        watcher.onWriteCompleted = [this] (const ZKEditorEngine& engine, const ZKEditorEngine::TransferStatus& status)
        {
            static const char* const kinds[] = { "none",    "get",      "send",     "sync",   "verify",   "backup",
                                                 "compare", "liveEdit", "nameRead", "rename", "slotWrite" };
            note ("  " + juce::String (kinds[(int) status.kind]) + " into slot " + juce::String (status.slot + 1)
                  + " completed (" + juce::String (status.total) + " writes)");

            if (status.kind != ZKEditorEngine::TransferStatus::Kind::liveEdit)
                return;

            for (auto* record : records)
            {
                if (record->engine.get() != &engine || record->liveSince == 0)
                    continue;

                EXPECT_LT (watcher.lastCompletedWriteOfOthers (status.slot, &engine), record->liveSince)
                    << "Live Edit wrote into slot " << status.slot + 1
                    << " over what another window or the Slots window had written there since it went live";
            }
        };
    }

    /** Notes when each window went live, so that a Live Edit write can be held against the writes
        of others to its slot since. */
    void followLiveEdits()
    {
        for (auto* record : records)
        {
            const bool live = record->window != nullptr && record->window->getLiveEditCommand().isLive();

            // Live Edit started again on another slot within one step is a new Live Edit.
            if (live && record->liveSince != 0
                && record->window->getLiveEditCommand().getLiveSlot() != record->liveOnSlot)
            {
                record->liveSince = 0;
                record->liveSlotChangedUnseen = false;
            }

            // A change on the controller made in the step in which the window went live (the
            // step waits for the jobs first, so Live Edit may begin in that wait) counts: the flag
            // is cleared when Live Edit ends, not when it begins.
            if (live && record->liveSince == 0)
            {
                record->liveSince = watcher.getEventCount() + 1;
                record->liveOnSlot = record->window->getLiveEditCommand().getLiveSlot();
            }
            else if (! live)
            {
                record->liveSince = 0;
                record->liveSlotChangedUnseen = false;
            }
        }
    }

    /** A window that is live, or starting Live Edit, when there is one; else that one. */
    WindowRecord& liveWindowOr (WindowRecord& record)
    {
        for (auto* candidate : records)
            if (candidate->window != nullptr
                && (candidate->window->getLiveEditCommand().isLive()
                    || candidate->window->getLiveEditCommand().isStarting()))
                return *candidate;

        return record;
    }

    /** Live Edit's "Stop" in the strip; then, once the jobs are over, the slot holds the preset
        the window showed at Stop, or a notice named the bytes that may differ. */
    void stopLiveEdit (WindowRecord& record)
    {
        pump (50); // the write of the last edit is queued before the click is taken, and heard of
        auto& live = record.window->getLiveEditCommand();
        auto& stop = record.window->getTransferStrip().getBar().getStopButton();

        if (! live.isLive() || ! stop.isShowing())
        {
            note ("  no Stop to press");
            return;
        }

        const auto slot = live.getLiveSlot();
        const auto endMessage = live.getLastEndMessage();
        const auto changedUnseenWhileLive = record.liveSlotChangedUnseen;
        stop.triggerClick();
        pumpMessagesUntil ([&] { return record.window == nullptr || ! live.isLive(); }, 5000);

        if (record.window == nullptr)
            return;

        const auto image = TestRig::getImage (*record.engine);
        const auto writesAtStop = watcher.countWritesEver (slot);
        const bool othersStillToWrite = watcher.isOtherWriteUnderWay (slot, record.engine.get());
        const juce::Component::SafePointer<EditorWindow> window (record.window);
        waitForTheJobs();

        if (window == nullptr || changedUnseenWhileLive || othersStillToWrite
            || watcher.countOtherWritesSince (slot, writesAtStop, record.engine.get()) > 0)
            return;

        const bool noticeNamedBytes = window->getLiveEditCommand().getLastEndMessage() != endMessage;
        EXPECT_TRUE (controller->getSlot (slot) == image || noticeNamedBytes)
            << "after Live Edit of slot " << slot + 1
            << " stopped, the slot does not hold the window's preset and no notice named the bytes that differ ("
            << describeDifference (controller->getSlot (slot), image) << ")";
    }

    //==============================================================================
    void playThePanel()
    {
        auto* window = application->getVirtualControllerCommand().getWindow();

        if (window == nullptr)
        {
            performOnApplication (CommandIDs::virtualControllerPanel);
            window = application->getVirtualControllerCommand().getWindow();
        }

        if (window == nullptr)
            return;

        auto& player = window->getPanel().getPlayer();
        using Ref = VirtualControllerPlayer::ControlRef;

        switch (random.nextInt (5))
        {
            case 0:
                player.turn (Ref{ Knob, random.nextInt (TestRig::numKnobs) }, random.nextInt (128));
                break;
            case 1:
            {
                const Ref pad{ Pad, random.nextInt (TestRig::numPads) };
                player.press (pad, 1 + random.nextInt (127));
                player.release (pad);
                break;
            }
            case 2:
            {
                const auto key = random.nextInt (ZKMModel::numKeys);
                player.key (key, true);
                player.key (key, false);
                break;
            }
            case 3:
                player.turn (Ref{ Wheels, random.nextInt (2) }, random.nextInt (128));
                break;
            default:
                player.setActiveSlot (randomSlot());
                break;
        }
    }

    //==============================================================================
    SlotsComponent& slots()
    {
        if (application->getSlotsWindow() == nullptr)
            openSlotsWindow (CommandIDs::slotsWindow);

        return application->getSlotsWindow()->getSlotsComponent();
    }

    /** "Show Slots" or "Slots": the window, whose questions are answered at random and whose
        engine is paced and watched as the document windows' are. */
    void openSlotsWindow (juce::CommandID command)
    {
        const bool wasOpen = application->getSlotsWindow() != nullptr;
        performOnApplication (command);
        auto* window = application->getSlotsWindow();

        if (wasOpen || window == nullptr)
            return;

        auto& component = window->getSlotsComponent();
        auto& engine = component.getJobs().getEngine();
        engine.setPacing (TestRig::fastPacing (replyTimeoutMs, 1));
        watcher.watch (engine);

        const juce::Component::SafePointer<SlotsWindow> safe (window);
        const auto interrupt = [this, safe]
        {
            if (random.nextInt (10) == 0 && safe != nullptr)
            {
                note ("  the Slots window is closed during its question");
                safe->closeButtonPressed();
            }
        };

        component.chooseSlot =
            [this, interrupt] (const juce::String& title, const juce::String&, const juce::String&, int)
        {
            interrupt();
            chosenSlot = random.nextInt (8) == 0 ? -1 : (int) randomSlot();
            note ("  " + title + ": slot " + juce::String (chosenSlot + 1));
            return chosenSlot;
        };
        component.askName = [this, interrupt] (const juce::String&, const juce::String&) -> std::optional<juce::String>
        {
            interrupt();
            static const char* const names[] = { "Lead", "Pads and Keys", "", "A name far too long to fit" };
            const auto roll = random.nextInt (5);

            if (roll == 4)
                return std::nullopt;

            note ("  named \"" + juce::String (names[roll]) + "\"");
            return juce::String (names[roll]);
        };
        component.askQuestion =
            [this, interrupt] (const juce::String& title, const juce::String&, const juce::StringArray& buttons)
        {
            interrupt();
            chosenButton = random.nextInt ({ -1, buttons.size() });
            note ("  " + title + ": " + (chosenButton < 0 ? juce::String ("closed") : buttons[chosenButton]));
            return chosenButton;
        };
        component.chooseFile = [this] (const juce::String&, const juce::File&, const juce::String&, bool)
        {
            return random.nextInt (4) == 0 ? juce::File()
                                           : scratch.getFile ("slot backup " + juce::String (random.nextInt (3)));
        };

        // Every copy or swap is held against what the two slots held, once it is over.
        auto& jobs = component.getJobs();
        jobs.onFinished = [this, original = jobs.onFinished, &jobs]
        {
            if (original != nullptr)
                original();

            checkPairJob (jobs);
        };
    }

    void pairSlots (bool swap)
    {
        auto& component = slots();
        const auto slot = randomSlot();
        const auto before = snapshotPair (swap, slot);
        chosenSlot = -1;
        const bool wasBusy = component.getJobs().isBusy();
        swap ? component.swapSlot (slot) : component.copySlot (slot);
        startedPairJob (before, wasBusy, chosenSlot);
    }

    void dropRow()
    {
        auto& component = slots();
        const auto from = randomSlot(), to = randomSlot();
        chosenButton = -1;
        const bool wasBusy = component.getJobs().isBusy();
        auto before = snapshotPair (false, from);
        component.dropSlot (from, to);
        before.swap = chosenButton == 1;
        startedPairJob (before, wasBusy, to);
    }

    PairJob snapshotPair (bool swap, int first)
    {
        PairJob job;
        job.swap = swap;
        job.first = first;
        job.firstImage = controller->getSlot (first);
        job.firstWrites = watcher.countWritesEver (first);
        job.slotsWithQueuedWrites = slotsWithQueuedWrites();
        return job;
    }

    /** The slots that a write in the transfer queue (waiting or running) is for. */
    std::set<int> slotsWithQueuedWrites()
    {
        std::set<int> slots;
        application->getMidiManager().getTransferQueue().hasJob (
            [&slots] (const TransferQueue::Job& job)
            {
                if (const auto* transfer = dynamic_cast<const PresetTransfer*> (&job))
                    if (transfer->writesToTheController())
                        slots.insert (transfer->getStatus().slot);

                return false;
            });
        return slots;
    }

    void startedPairJob (PairJob job, bool wasBusy, int second)
    {
        // A write to either slot that was still to run makes "the old preset" a matter of timing.
        if (wasBusy || application->getSlotsWindow() == nullptr || second < 0 || second == job.first
            || ! application->getSlotsWindow()->getSlotsComponent().getJobs().isBusy()
            || job.slotsWithQueuedWrites.count (job.first) != 0 || job.slotsWithQueuedWrites.count (second) != 0)
            return;

        job.second = second;
        job.secondImage = controller->getSlot (second);
        job.secondWrites = watcher.countWritesEver (second);
        pairJob = job;
    }

    /** No preset is lost by a copy or a swap: each old preset of the slots involved (the source's
        of a copy, both of a swap) is in some slot, or in a recovery file the summary names. */
    void checkPairJob (SlotJobs& jobs)
    {
        if (! pairJob.has_value())
            return;

        const auto job = *pairJob;
        pairJob.reset();
        const auto* engine = &jobs.getEngine();

        // Another window's write to either slot meanwhile, ended or still queued or under way (a
        // restore queued behind the swap), makes "old preset" ambiguous.
        if (watcher.countOtherWritesSince (job.first, job.firstWrites, engine) > 0
            || watcher.countOtherWritesSince (job.second, job.secondWrites, engine) > 0
            || watcher.isOtherWriteUnderWay (job.first, engine) || watcher.isOtherWriteUnderWay (job.second, engine))
            return;

        const auto summary = jobs.getSummary();
        juce::Array<juce::Array<juce::uint8>> kept;

        for (int slot = 0; slot < ZKSysEx::numberOfSlots; ++slot)
            kept.add (controller->getSlot (slot));

        const auto savedAs = summary.fromFirstOccurrenceOf (" was saved as ", false, false);

        if (savedAs.isNotEmpty())
            kept.add (jobs.getEngine().readPresetFileImage (juce::File (savedAs)));

        note ("  slots job ended: " + summary);
        const auto unseen = [this] (int slot)
        {
            return changedUnseen.count (slot) != 0
                       ? " (slot " + std::to_string (slot + 1) + " was changed on the controller before, unseen)"
                       : std::string();
        };
        EXPECT_TRUE (kept.contains (job.firstImage))
            << "the old preset of slot " << job.first + 1 << " is in no slot and no file after: " << summary
            << unseen (job.first) << unseen (job.second) << "; slot " << job.second + 1
            << " differs from it in: " << describeDifference (controller->getSlot (job.second), job.firstImage);

        if (job.swap)
        {
            EXPECT_TRUE (kept.contains (job.secondImage))
                << "the old preset of slot " << job.second + 1 << " is in no slot and no file after: " << summary
                << unseen (job.first) << unseen (job.second) << "; slot " << job.first + 1
                << " differs from it in: " << describeDifference (controller->getSlot (job.first), job.secondImage);
        }
    }

    void dropFile()
    {
        const juce::File files[] = { presetFile, otherPresetFile, notAPreset, scratch.getFile ("saved 1.zkp") };
        const auto slot = randomSlot();

        if (random.nextInt (8) == 0)
            slots().dropFiles (slot, { presetFile.getFullPathName(), otherPresetFile.getFullPathName() });
        else
            slots().dropFiles (slot, { files[random.nextInt (4)].getFullPathName() });
    }

    void cancelSlotsJob()
    {
        auto& bar = slots().getStatusBar();

        if (bar.getCancelButton().isShowing())
            bar.getCancelButton().triggerClick();
    }

    void closeSlotsWindow()
    {
        if (auto* window = application->getSlotsWindow())
        {
            note (window->getSlotsComponent().getJobs().isBusy() ? "  mid-job" : "  idle");
            window->closeButtonPressed();
        }
    }

    //==============================================================================
    /** What a user does on the device's own panel: a few bytes of a slot changed, unseen by the
        editor. Done while no job runs, as a change that races a read cannot be told apart by
        anyone. */
    void changeBehindTheEditorsBack()
    {
        waitForTheJobs();
        checkSlots();

        // Most often a slot the editor knows, as a user tweaks on the device the preset just sent.
        juce::Array<int> known;

        for (int i = 0; i < ZKSysEx::numberOfSlots; ++i)
            if (application->getMidiManager().getSlotMemory().isKnown (i))
                known.add (i);

        const auto slot =
            ! known.isEmpty() && random.nextInt (3) != 0 ? known[random.nextInt (known.size())] : (int) randomSlot();
        auto image = controller->getSlot (slot);

        for (int i = 1 + random.nextInt (3); --i >= 0;)
            image.set (random.nextInt (image.size()), (juce::uint8) random.nextInt (128));

        note ("  slot " + juce::String (slot + 1) + " changed on the controller");
        controller->setSlot (slot, image);
        changedUnseen.insert (slot);
        watcher.claims.erase (slot);

        for (auto* record : records)
            if (record->window != nullptr && record->window->getLiveEditCommand().getLiveSlot() == slot)
                record->liveSlotChangedUnseen = true;
    }

    void injectRandomFaults()
    {
        VirtualController::Faults faults;
        juce::String what;

        switch (random.nextInt (6))
        {
            case 0:
                what = "none"; // a controller that behaves
                break;
            case 1:
                faults.silentSlots.insert (random.nextInt (ZKSysEx::numberOfSlots));
                what = "slot " + juce::String (*faults.silentSlots.begin() + 1) + " silent";
                break;
            case 2:
                faults.droppedWrites.insert (random.nextInt (TestRig::imageLength));
                what = "writes of byte " + juce::String (*faults.droppedWrites.begin()) + " dropped";
                break;
            case 3:
                faults.duplicateEveryNthReply = 1 + random.nextInt (50);
                what = "every " + juce::String (faults.duplicateEveryNthReply) + "th reply twice";
                break;
            case 4:
                faults.dropEveryNthReply = 1 + random.nextInt (200);
                what = "every " + juce::String (faults.dropEveryNthReply) + "th reply dropped";
                break;
            default:
                faults.replyDelayMs = random.nextInt (40);
                what = "replies " + juce::String (faults.replyDelayMs) + " ms late";
                break;
        }

        // A fault lasts some steps, as a flaky cable or a busy controller would, and a wait for the
        // jobs ends it: the jobs it holds up end then without waiting out every lost reply.
        faultStepsLeft = 1 + random.nextInt (8);
        note ("  faults: " + what + " for " + juce::String (faultStepsLeft) + " steps");
        controller->setFaults (faults);
    }

    //==============================================================================
    bool jobsIdle()
    {
        for (auto* list : { &records, &closedRecords })
            for (auto* record : *list)
                if (record->engine->isTransferInProgress())
                    return false;

        if (auto* window = application->getSlotsWindow())
            if (window->getSlotsComponent().getJobs().isBusy()
                || window->getSlotsComponent().getJobs().getEngine().isTransferInProgress())
                return false;

        return ! application->getMidiManager().getTransferQueue().hasJob ([] (const TransferQueue::Job&)
                                                                          { return true; });
    }

    void waitForTheJobs()
    {
        if (faultStepsLeft > 0)
        {
            note ("  the controller behaves again");
            faultStepsLeft = 0;
            controller->clearFaults();
        }

        EXPECT_TRUE (pumpMessagesUntil (
            [this]
            {
                if (jobsIdle())
                    return true;

                apptest::dismissAlerts();
                return false;
            },
            drainTimeoutMs))
            << "a job did not end";
        pump (20);
    }

    /** With the jobs idle: every slot that the editor's memory knows holds exactly that, unless it
        was changed behind the editor's back since the editor last read it; and every claim the
        user was given of a slot ("verified", "already held") is true. */
    void checkSlots()
    {
        const auto& memory = application->getMidiManager().getSlotMemory();

        for (auto slot : watcher.takeSlotsRead())
            changedUnseen.erase (slot);

        for (const auto& [slot, writes] : watcher.takeWritesSinceIdle())
            if (writes.size() > 1)
                watcher.claims.erase (slot); // which of them wrote last is not told

        for (const auto& [slot, claim] : watcher.claims)
            EXPECT_TRUE (controller->getSlot (slot) == claim.image)
                << "slot " << slot + 1 << ": " << claim.what << ", but the controller holds something else ("
                << describeDifference (controller->getSlot (slot), claim.image) << ")"
                << (changedUnseen.count (slot) != 0 ? "; the slot was changed on the controller before, unseen" : "");

        for (int slot = 0; slot < ZKSysEx::numberOfSlots; ++slot)
        {
            if (! memory.isKnown (slot))
            {
                changedUnseen.erase (slot); // what the editor learns of it from now on, it reads
                continue;
            }

            if (changedUnseen.count (slot) == 0)
            {
                EXPECT_TRUE (controller->getSlot (slot) == memory.recall (slot))
                    << "the editor's memory of slot " << slot + 1 << " is not what the controller holds ("
                    << describeDifference (controller->getSlot (slot), memory.recall (slot)) << ")";
            }
        }
    }

    //==============================================================================
    void checkInvariants()
    {
        for (auto* record : records)
        {
            if (record->window == nullptr)
                continue;

            auto& window = *record->window;

            // A window whose preset is in no file and no verified slot shows the unsaved mark, so
            // that closing it asks first.
            const auto image = TestRig::getImage (*record->engine);

            // (An image once in a file stays safe for the window that saved it, even when another
            // window later saves something else over that file.)
            if (presetFileImages().contains (image))
                record->safeImages.addIfNotAlreadyThere (image);

            if (! window.hasUnsavedChanges())
            {
                EXPECT_TRUE (record->safeImages.contains (image))
                    << "a window shows no unsaved mark for a preset that is in no file and no verified slot: "
                    << window.getName();
            }

            // The strip offers Cancel only for a job that is there.
            if (window.getTransferStrip().getBar().isVisible()
                && window.getTransferStrip().getBar().getCancelButton().isVisible())
            {
                EXPECT_TRUE (record->engine->isTransferInProgress()) << "the strip shows a job that is not there";
            }

            // A running backup or restore has transfers that will end it.
            const bool librarianRunning = (window.getBackupCommand().getSlotBackup() != nullptr
                                           && ! window.getBackupCommand().getSlotBackup()->isFinished())
                                          || (window.getRestoreCommand().getSlotRestore() != nullptr
                                              && window.getRestoreCommand().getSlotRestore()->isRunning());

            if (librarianRunning && ! record->engine->isTransferInProgress())
            {
                EXPECT_TRUE (pumpMessagesUntil (
                    [&]
                    {
                        return record->window == nullptr
                               || ((window.getBackupCommand().getSlotBackup() == nullptr
                                    || window.getBackupCommand().getSlotBackup()->isFinished())
                                   && (window.getRestoreCommand().getSlotRestore() == nullptr
                                       || ! window.getRestoreCommand().getSlotRestore()->isRunning()));
                    },
                    2000))
                    << "a backup or restore is left running without a transfer";
            }
        }

        // No file of the scratch folder is left half written.
        for (const auto& file : scratch.getFile ({}).findChildFiles (juce::File::findFiles, true))
            EXPECT_FALSE (file.getFileName().startsWithChar ('.') || file.getFileExtension() == ".tmp")
                << file.getFullPathName() << " is left over from a write";
    }

    /** The images of the preset files in the scratch folder, backups included. */
    juce::Array<juce::Array<juce::uint8>> presetFileImages() const
    {
        juce::Array<juce::Array<juce::uint8>> images;

        for (const auto& file : scratch.getFile ({}).findChildFiles (juce::File::findFiles, true, "*.zkp"))
        {
            juce::MemoryBlock data;

            if (file.getSize() == TestRig::dumpLength && file.loadFileAsData (data))
                images.add (TestRig::getImageOfDump (
                    juce::Array<juce::uint8> (static_cast<const juce::uint8*> (data.getData()), (int) data.getSize())));
        }

        return images;
    }

    /** Every job ends within the bound; then the slots are checked once more. */
    void drain()
    {
        controller->clearFaults();
        controller->replug();
        apptest::dismissAlerts();
        waitForTheJobs();
        pump (100);
        checkSlots();
        checkInvariants();
    }

    //==============================================================================
    ScratchFolder scratch;
    juce::File presetFile, otherPresetFile, notAPreset;
    juce::Array<juce::File> backupFolders;
    int windowsOpened = 0;
    int faultStepsLeft = 0;
    int chosenSlot = -1, chosenButton = -1;
    juce::Array<int> recentSlots;
    juce::String previousVirtualSetting;
    bool keepSettings = false;
    juce::OwnedArray<WindowRecord> records, closedRecords;
    SlotClaimWatcher watcher;
    std::set<int> changedUnseen;
    std::optional<PairJob> pairJob;
};

int stepsPerSeed()
{
    const auto* steps = std::getenv ("ZKM_RANDOM_STEPS");
    return steps != nullptr ? juce::jmax (1, juce::String (steps).getIntValue()) : defaultStepsPerSeed;
}
} // namespace

//==============================================================================
TEST_F (RandomSequenceTest, WindowsJobsQuestionsAndAFaultyControllerKeepEveryInvariant)
{
    // ZKM_RANDOM_SEED replays one sequence (scripts/monkey.sh sets it); otherwise the fixed seeds run.
    if (const auto* seed = std::getenv ("ZKM_RANDOM_SEED"))
    {
        runSequence (juce::String (seed).getLargeIntValue(), stepsPerSeed());
        return;
    }

    for (size_t i = 0; i < juce::jmin (seedsToRun, fixedSeeds.size()); ++i)
    {
        runSequence (fixedSeeds[i], stepsPerSeed());

        if (HasFailure())
            return;

        // The next seed starts from a program with fresh windows and a fresh controller.
        restartApplication();
    }
}

TEST_F (RandomSequenceTest, EveryMenuCommandAndEveryKindOfTransferHasAStep)
{
    const auto steps = stepTable();
    std::set<juce::CommandID> stepped;
    std::set<juce::String> stepNames;

    for (const auto& step : steps)
    {
        stepNames.insert (step.name);

        if (step.command != 0)
            stepped.insert (step.command);
    }

    // The commands every menu of the program offers, submenus included, and every command its
    // targets carry out.
    std::set<juce::CommandID> offered;
    std::function<void (const juce::PopupMenu&)> collect = [&] (const juce::PopupMenu& menu)
    {
        for (juce::PopupMenu::MenuItemIterator items (menu); items.next();)
        {
            const auto& item = items.getItem();

            if (item.subMenu != nullptr)
                collect (*item.subMenu);
            else if (item.itemID != 0)
                offered.insert (item.itemID);
        }
    };

    auto* menus = application->getMainMenuModel();
    const auto menuNames = menus->getMenuBarNames();

    for (int i = 0; i < menuNames.size(); ++i)
        collect (menus->getMenuForIndex (i, menuNames[i]));

    ASSERT_GT (offered.size(), 20u);
    juce::Array<juce::CommandID> targetCommands;
    application->getAllCommands (targetCommands);
    performOnApplication (CommandIDs::newWindow);
    ASSERT_FALSE (windowManager().getWindows().isEmpty());
    windowManager().getWindows().getFirst()->getAllCommands (targetCommands);
    offered.insert (targetCommands.begin(), targetCommands.end());

    const auto excluded = commandsWithoutStep();

    for (const auto command : offered)
    {
        juce::ApplicationCommandInfo info (command);
        fillCommandInfo (command, info);
        EXPECT_TRUE (stepped.count (command) != 0 || excluded.count (command) != 0)
            << "the menu command \"" << info.shortName << "\" (" << command
            << ") has no step in the random sequence: add one to stepTable() in tests/app/RandomSequenceTests.cpp, "
               "or, when it cannot be a step, add it with the reason to commandsWithoutStep() there";
    }

    for (const auto& [command, reason] : excluded)
    {
        EXPECT_EQ (stepped.count (command), 0u) << command << " has a step and is excluded too";
        EXPECT_NE (juce::String (reason), juce::String()) << command << " is excluded without a reason";
    }

    // Every kind of transfer is made by a step (a kind without a line in stepMakingKind does not
    // compile); that step is in the table.
    using Kind = ZKEditorEngine::TransferStatus::Kind;

    for (int k = (int) Kind::none; k <= (int) Kind::slotWrite; ++k)
    {
        const auto* stepName = stepMakingKind ((Kind) k);
        ASSERT_NE (stepName, nullptr) << "transfer kind " << k << " has no step in stepMakingKind()";
        EXPECT_EQ (stepNames.count (stepName), 1u)
            << "transfer kind " << k << " is said to be made by the step \"" << stepName
            << "\", which is not in stepTable() of tests/app/RandomSequenceTests.cpp";
    }
}
