// The Slots window against the virtual controller: names read and a slot renamed through it, a
// preset file dropped onto a slot, and a window that goes while it asks.
#include "app/SlotsWindow.h"
#include "engine/PresetFileWriter.h"
#include "engine/VirtualController.h"
#include "model/PresetNameText.h"
#include "support/MessageLoop.h"
#include "support/TestRig.h"

#include <gtest/gtest.h>

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
