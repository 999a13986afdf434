// The Slots window against the virtual controller: names read and a slot renamed through it, a
// preset file dropped onto a slot, and a window that goes while it asks.
#include "app/SlotsWindow.h"
#include "engine/PresetFileWriter.h"
#include "engine/SlotBackup.h"
#include "engine/VirtualController.h"
#include "model/PresetNameText.h"
#include "model/ZKMModel.h"
#include "support/AppTestHelpers.h"
#include "support/MessageLoop.h"
#include "support/QueueHold.h"
#include "support/TestRig.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace
{
constexpr int waitMs = 30000;
constexpr int dropSlot = 6; // shown as slot 7

juce::Array<juce::uint8> imageNamed (int seed, const juce::String& name)
{
    auto image = TestRig::createPatternImage (seed);
    const auto nameBytes = PresetNameText::toBytes (name);

    for (int i = 0; i < nameBytes.size(); ++i)
        image.set (i, nameBytes[i]);

    return image;
}

class SlotsWindowTest
    : public ::testing::Test
    , protected TestRig::VirtualRig
{
protected:
    SlotsWindowTest()
    {
        controller.setSlot (dropSlot, imageNamed (1, "Pads"));
        window = new SlotsWindow (TestRig::createEngine (manager), settings);
    }

    ~SlotsWindowTest() override
    {
        delete window.getComponent();
        folder.deleteRecursively();
    }

    SlotsComponent& slots() { return window->getSlotsComponent(); }

    void waitForTheJob()
    {
        ASSERT_TRUE (pumpMessagesUntil ([&] { return ! slots().getJobs().isBusy(); }, waitMs));
    }

    juce::File writePresetFile (const juce::Array<juce::uint8>& image)
    {
        folder.createDirectory();
        const auto file = folder.getChildFile ("lead.zkp");
        EXPECT_TRUE (PresetFileWriter (slots().getJobs().getEngine().getFileCodec()).write (image, file).wasOk());
        return file;
    }

    juce::PropertySet settings;
    juce::Component::SafePointer<SlotsWindow> window;
    const juce::File folder =
        juce::File::getSpecialLocation (juce::File::tempDirectory).getNonexistentChildFile ("slots-window", "");
};
} // namespace

TEST_F (SlotsWindowTest, ReadNamesFillsTheRowsAndRenameWritesOnlyTheName)
{
    EXPECT_EQ (slots().getStateText (dropSlot), "unknown");
    slots().readNames();
    waitForTheJob();

    EXPECT_EQ (slots().getNameText (dropSlot), "Pads");
    EXPECT_TRUE (slots().getStateText (dropSlot).startsWith ("name read "));
    EXPECT_EQ (slots().getJobs().getSummary(), "24 names read");

    const auto before = controller.getSlot (dropSlot);
    slots().askName = [] (const juce::String&, const juce::String& name)
    {
        EXPECT_EQ (name, "Pads"); // the box starts from the name read
        return std::optional<juce::String> ("Bass Line");
    };
    slots().renameSlot (dropSlot);
    waitForTheJob();

    auto expected = before;
    const auto nameBytes = PresetNameText::toBytes ("Bass Line");

    for (int i = 0; i < nameBytes.size(); ++i)
        expected.set (i, nameBytes[i]);

    EXPECT_EQ (controller.getSlot (dropSlot), expected);
    EXPECT_EQ (slots().getNameText (dropSlot), "Bass Line");
}

TEST_F (SlotsWindowTest, DroppingAFileAsksFirstAndSendsOnlyWhenTheUserAgrees)
{
    slots().readNames();
    waitForTheJob();

    const auto before = controller.getSlot (dropSlot);
    const auto file = writePresetFile (imageNamed (2, "Lead"));
    juce::StringArray questions;
    int answer = 1; // "Cancel"
    slots().askQuestion = [&] (const juce::String&, const juce::String& message, const juce::StringArray& buttons)
    {
        questions.add (message);
        EXPECT_EQ (buttons, juce::StringArray ("Send", "Cancel"));
        return answer;
    };

    slots().dropFiles (dropSlot, { file.getFullPathName() });
    pumpMessagesFor (100);
    EXPECT_EQ (questions, juce::StringArray ("Send \"Lead\" to slot 7, replacing \"Pads\"?"));
    EXPECT_FALSE (slots().getJobs().isBusy());
    EXPECT_EQ (controller.getSlot (dropSlot), before);

    answer = 0; // "Send"
    slots().dropFiles (dropSlot, { file.getFullPathName() });
    waitForTheJob();
    EXPECT_EQ (controller.getSlot (dropSlot), imageNamed (2, "Lead"));
    EXPECT_TRUE (slots().getJobs().getSummary().contains ("written into slot 7, verified"))
        << slots().getJobs().getSummary();
    EXPECT_EQ (slots().getNameText (dropSlot), "Lead");
}

TEST_F (SlotsWindowTest, AWindowClosedWhileItAsksSendsNothing)
{
    const auto before = controller.getSlot (dropSlot);
    const auto file = writePresetFile (imageNamed (2, "Lead"));

    // The question's modal loop is where the program may close the window.
    slots().askQuestion = [this] (const juce::String&, const juce::String&, const juce::StringArray&)
    {
        delete window.getComponent();
        return 0;
    };
    slots().dropFiles (dropSlot, { file.getFullPathName() });

    EXPECT_EQ (window.getComponent(), nullptr);
    pumpMessagesFor (300);
    EXPECT_EQ (controller.getSlot (dropSlot), before);
}

TEST_F (SlotsWindowTest, AWindowClosedBetweenTheWritesOfASwapKeepsThePresetNoSlotHoldsInAFile)
{
    // The recovery folder lies beside the settings: in a configuration folder of the test's own.
    const auto config = folder.getChildFile ("config");
    const auto oldConfig = juce::SystemStats::getEnvironmentVariable ("XDG_CONFIG_HOME", {});
    ::setenv ("XDG_CONFIG_HOME", config.getFullPathName().toRawUTF8(), 1);

    const auto third = controller.getSlot (2), seventh = controller.getSlot (dropSlot);

    // The queue is held behind the first write, as it is told: the second write, queued once slot
    // 3 holds slot 7's preset, cannot begin before the window goes. The window may also go before
    // the first write's end is told; then the second write must not be queued at all.
    struct HoldAfterFirstWrite : public ZKEditorEngine::Listener
    {
        explicit HoldAfterFirstWrite (TransferQueue& queueToHold)
            : queue (queueToHold)
        {
        }

        void transferProgressed (const ZKEditorEngine::TransferStatus& status) override
        {
            if (status.kind == ZKEditorEngine::TransferStatus::Kind::slotWrite && status.slot == 2 && hold == nullptr)
                hold = std::make_unique<QueueHold> (queue);
        }

        TransferQueue& queue;
        std::unique_ptr<QueueHold> hold;
    };

    const ZKEditorEngine::Ptr engine (&slots().getJobs().getEngine());
    HoldAfterFirstWrite holder (manager.getTransferQueue());
    engine->addListener (&holder);
    ASSERT_TRUE (slots().getJobs().swap (2, dropSlot));
    ASSERT_TRUE (pumpMessagesUntil ([&] { return holder.hold != nullptr && holder.hold->isHolding(); }, waitMs));

    window->closeButtonPressed();
    holder.hold->release();
    engine->removeListener (&holder);
    pumpMessagesFor (200);

    EXPECT_EQ (controller.getSlot (2), seventh);
    EXPECT_EQ (controller.getSlot (dropSlot), seventh);

    const auto kept = SlotJobs::getRecoveryFolder().findChildFiles (juce::File::findFiles, false, "*.zkp");
    ASSERT_EQ (kept.size(), 1);
    EXPECT_TRUE (kept[0].getFileName().startsWith ("Slot 03 before swap"));
    EXPECT_EQ (engine->readPresetFileImage (kept[0]), third);

    // The user is told where it is (the swap's summary, which names the file), after the window.
    EXPECT_NE (apptest::findAlert (SlotsWindow::getClosedTitle()), nullptr);
    apptest::dismissAlerts();

    if (oldConfig.isEmpty())
        ::unsetenv ("XDG_CONFIG_HOME");
    else
        ::setenv ("XDG_CONFIG_HOME", oldConfig.toRawUTF8(), 1);
}

TEST (SlotsWindowWithoutController, AJobThatCannotStartSaysWhy)
{
    TestRig::NoDevicesRig rig;
    juce::PropertySet settings;
    SlotsWindow window (TestRig::createEngine (rig.manager), settings);
    auto& slots = window.getSlotsComponent();

    slots.readNames();
    EXPECT_FALSE (slots.getJobs().isBusy());
    EXPECT_TRUE (slots.getStatusBar().getTextLabel().getText().startsWith ("The controller cannot be reached"));
}

// Last: Xlib defines macros (None, Bool, Status) that clash with names in the headers above.
#include <X11/Xlib.h>

namespace
{
/** Watches the X server's top-level windows through a connection of its own, as a window manager
    or a test script sees them: the windows of one client that were shown, and how many of those
    were destroyed again. */
class ShownWindowWatch
{
public:
    ShownWindowWatch()
        : display (XOpenDisplay (nullptr))
    {
        if (display != nullptr)
        {
            XSelectInput (display, DefaultRootWindow (display), SubstructureNotifyMask);
            XSync (display, False);
        }
    }

    ~ShownWindowWatch()
    {
        if (display != nullptr)
            XCloseDisplay (display);
    }

    bool isWatching() const { return display != nullptr; }

    /** Reads the events so far about the windows of the client that made this one. */
    void update (juce::ComponentPeer& peerOfTheClient)
    {
        constexpr unsigned long clientMask = ~0x1fffffUL; // an X client's share of the window ids
        const auto client = reinterpret_cast<unsigned long> (peerOfTheClient.getNativeHandle()) & clientMask;
        XSync (display, False);

        while (XPending (display) > 0)
        {
            XEvent event;
            XNextEvent (display, &event);

            if (event.type == MapNotify && (event.xmap.window & clientMask) == client)
                shown.insert (event.xmap.window);
            else if (event.type == DestroyNotify && shown.count (event.xdestroywindow.window) > 0)
                ++destroyedAfterShown;
        }
    }

    std::set<unsigned long> shown;
    int destroyedAfterShown = 0;

private:
    Display* display;
};
} // namespace

// A window that is shown and replaced at once flickers, and one found on the screen in that
// moment is gone when the user or a script acts on it.
TEST_F (SlotsWindowTest, ItsNativeWindowIsShownOnceAndStays)
{
    delete window.getComponent();
    ShownWindowWatch watch;
    ASSERT_TRUE (watch.isWatching());

    window = new SlotsWindow (TestRig::createEngine (manager), settings);
    pumpMessagesFor (200);
    ASSERT_NE (window->getPeer(), nullptr);
    watch.update (*window->getPeer());

    EXPECT_EQ (watch.shown.size(), 1u);
    EXPECT_EQ (watch.destroyedAfterShown, 0);
    EXPECT_EQ (watch.shown.count (reinterpret_cast<unsigned long> (window->getPeer()->getNativeHandle())), 1u);
    EXPECT_EQ (window->getPeer()->getConstrainer(), window->getConstrainer()); // the resize limits hold
}

TEST_F (SlotsWindowTest, ARenameStoppedWhileItReadsBackSaysTheNameIsWrittenButNotVerified)
{
    // The slot takes the writes but never answers, so the rename waits in its read-back.
    auto faults = controller.getFaults();
    faults.silentSlots = { dropSlot };
    controller.setFaults (faults);

    auto& jobs = slots().getJobs();
    ASSERT_TRUE (jobs.rename (dropSlot, PresetNameText::toBytes ("Organ")));
    ASSERT_TRUE (pumpMessagesUntil ([&] { return jobs.getProgress().done == SlotMemory::nameLength; }, waitMs));
    jobs.cancel();
    waitForTheJob();

    EXPECT_EQ (jobs.getSummary(), "Rename cancelled: the name of slot 7 was written but not verified");
    EXPECT_EQ (juce::Array<juce::uint8> (controller.getSlot (dropSlot).getRawDataPointer(), SlotMemory::nameLength),
               PresetNameText::toBytes ("Organ"));
}

TEST_F (SlotsWindowTest, TheStateOfASlotComparedWithTheBackupIsDatedByTheReadItRestsOn)
{
    // A backup folder that holds slot 7 as the controller holds it.
    const auto backupFolder = folder.getChildFile ("backup");
    ASSERT_TRUE (backupFolder.createDirectory().wasOk());
    auto& engine = slots().getJobs().getEngine();
    const auto backupFile = SlotBackup::getSlotFile (backupFolder, ZKMModel::modelName, dropSlot);
    ASSERT_TRUE (PresetFileWriter (engine.getFileCodec()).write (controller.getSlot (dropSlot), backupFile).wasOk());
    slots().getBackupFolder = [backupFolder] { return backupFolder; };
    slots().refreshBackup();

    ASSERT_TRUE (slots().getJobs().backUp (dropSlot, folder.getChildFile ("slot7.zkp")));
    waitForTheJob();
    const auto seen = engine.getWhenSlotSeen ((juce::uint8) dropSlot).formatted ("%H:%M");
    const auto backupDay = backupFile.getLastModificationTime().formatted ("%Y-%m-%d");
    EXPECT_EQ (slots().getStateText (dropSlot), "read " + seen + ", as in backup " + backupDay);
}

TEST_F (SlotsWindowTest, SwapAndCopyOfferAnotherSlotAndQuoteTheNameWithoutItsPadding)
{
    controller.setSlot (0, imageNamed (2, "Grand Piano     "));
    controller.setSlot (23, imageNamed (3, "Last Pad        "));
    slots().readNames();
    waitForTheJob();
    ASSERT_EQ (slots().getNameText (0), "Grand Piano"); // shown without the padding the controller adds

    // The platform's chooser itself: what it shows is read while its modal loop runs, and then it
    // is cancelled.
    struct Shown
    {
        juce::String text;
        int slot = -1;
        bool asking = true;
    };

    const auto offered = [&] (int slot, const juce::String& title, const std::function<void (int)>& action)
    {
        auto shown = std::make_shared<Shown>();
        auto look = std::make_shared<std::function<void()>>();
        *look = [shown, look, title]
        {
            if (! shown->asking)
                return;

            auto& desktop = juce::Desktop::getInstance();

            for (int i = 0; i < desktop.getNumComponents(); ++i)
            {
                if (auto* box = dynamic_cast<juce::AlertWindow*> (desktop.getComponent (i));
                    box != nullptr && box->getName() == title && box->isCurrentlyModal())
                {
                    shown->text = box->getDescription();
                    shown->slot = box->getComboBoxComponent ("Preset Slot")->getSelectedItemIndex();
                    box->exitModalState (0);
                    return;
                }
            }

            juce::Timer::callAfterDelay (10, *look);
        };

        juce::Timer::callAfterDelay (10, *look);
        action (slot);
        shown->asking = false;
        *look = nullptr; // lets the pair of shared pointers go
        return *shown;
    };

    const auto swapFirst = offered (0, "Swap With Slot", [this] (int slot) { slots().swapSlot (slot); });
    EXPECT_EQ (swapFirst.slot, 1) << "slot 2 is offered for slot 1";
    EXPECT_TRUE (swapFirst.text.contains ("Swap slot 1 (\"Grand Piano\") with slot:")) << swapFirst.text;

    const auto copyLast = offered (23, "Copy To Slot", [this] (int slot) { slots().copySlot (slot); });
    EXPECT_EQ (copyLast.slot, 22) << "slot 23 is offered for slot 24";
    EXPECT_TRUE (copyLast.text.contains ("Copy slot 24 (\"Last Pad\") to slot:")) << copyLast.text;

    EXPECT_FALSE (slots().getJobs().isBusy()) << "a cancelled chooser starts nothing";
}
