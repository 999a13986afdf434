#include "app/FollowController.h"
#include "support/AppTestHelpers.h"
#include "support/FakeMidiDeviceLayer.h"
#include "support/MessageLoop.h"
#include "views/BankView.h"
#include "widgets/NumberBox.h"

#include <gmock/gmock.h>

using apptest::FakeDeviceTest;
using apptest::pump;

namespace
{
constexpr int waitMs = 10000;

/** The default preset with knobs set to send that CC on that channel (1 to 16). */
juce::Array<juce::uint8> presetWithKnobsOn (std::initializer_list<int> knobIndexes, int cc, int channel)
{
    auto dump = TestRig::defaultPresetDump();

    for (auto knob : knobIndexes)
    {
        const auto offset = TestRig::dumpHeadLength + PresetLayout::getOffset (ControlType::Knob, knob);
        dump.set (offset + 0, 0); // CC mode
        dump.set (offset + 1, (juce::uint8) cc);
        dump.set (offset + 4, (juce::uint8) (channel - 1));
    }

    return dump;
}

bool isSelected (EditorComponent& editor, int viewIndex)
{
    auto* view = editor.getView (viewIndex);
    return view->isVisible() && view->getParentComponent() == &editor;
}

template <typename ComponentClass>
ComponentClass* findFirst (juce::Component& root)
{
    for (auto* child : root.getChildren())
    {
        if (auto* found = dynamic_cast<ComponentClass*> (child); found != nullptr && found->isShowing())
            return found;

        if (auto* found = findFirst<ComponentClass> (*child))
            return found;
    }

    return nullptr;
}

/** A document window that follows the fake controller's input, as the application's front window. */
class FollowTest : public FakeDeviceTest
{
protected:
    void SetUp() override
    {
        FakeDeviceTest::SetUp();
        engine = makeQuickEngine (manager);
        document = &openDocumentOn (engine);
        document->setVisible (true);
        follow = std::make_unique<FollowController> (manager, [this] { return document; });
    }

    void TearDown() override
    {
        follow.reset();
        FakeDeviceTest::TearDown();
    }

    EditorComponent& editor() { return *document->getEditorComponent(); }

    ZKEditorEngine::Ptr engine;
    EditorWindow* document = nullptr;
    std::unique_ptr<FollowController> follow;
};
} // namespace

//==============================================================================
TEST_F (FollowTest, TurningKnobThreeSelectsTheKnobsTabItsBankAndFlashesIt)
{
    TestRig::loadPreset (*engine, presetWithKnobsOn ({ 2 }, 119, 16));
    auto* knobs = dynamic_cast<BankView*> (editor().getView (EditorComponent::knobsView));
    ASSERT_NE (knobs, nullptr);
    knobs->showBank (1);
    ASSERT_TRUE (isSelected (editor(), EditorComponent::mainView));

    // From the device's own input thread, as the hardware sends it.
    layer.deliverFromOtherThread ({ juce::MidiMessage::controllerEvent (16, 119, 64) });

    ASSERT_TRUE (pumpMessagesUntil ([&] { return editor().isFlashing (ControlType::Knob, 2); }, waitMs));
    EXPECT_TRUE (isSelected (editor(), EditorComponent::knobsView));
    EXPECT_EQ (knobs->getCurrentBank(), 0);
    EXPECT_FALSE (editor().isFlashing (ControlType::Knob, 3));

    // The frame is gone after its second.
    EXPECT_TRUE (pumpMessagesUntil ([&] { return ! editor().isFlashing (ControlType::Knob, 2); }, waitMs));
}

TEST_F (FollowTest, TwoKnobsOnOneCCBothFlashAndTheStripNamesTheClash)
{
    TestRig::loadPreset (*engine, presetWithKnobsOn ({ 0, 1 }, 118, 16));

    layer.deliverFromOtherThread ({ juce::MidiMessage::controllerEvent (16, 118, 5) });

    ASSERT_TRUE (pumpMessagesUntil ([&] { return editor().isFlashing (ControlType::Knob, 1); }, waitMs));
    EXPECT_TRUE (editor().isFlashing (ControlType::Knob, 0));

    const auto& strip = document->getTransferStrip().getBar();
    EXPECT_TRUE (strip.isVisible());
    EXPECT_EQ (strip.getTextLabel().getText(), juce::String ("Knob 1 and Knob 2 both send CC 118 on channel 16"));
}

TEST_F (FollowTest, ABoxBeingTypedInIsNotInterruptedAndTheFollowComesWhenItCloses)
{
    TestRig::loadPreset (*engine, presetWithKnobsOn ({ 2 }, 119, 16));
    NumberBox* box = nullptr;

    // The box closes when it loses the keyboard focus, so this test runs alone on the display; should
    // another program take the focus all the same, the follow rightly comes at once, and the case is
    // tried again with the window brought to the front and the box opened anew.
    for (int attempt = 0; attempt < 5; ++attempt)
    {
        document->toFront (true);
        pump (50);
        editor().viewSelected (EditorComponent::switchesView);
        box = findFirst<NumberBox> (*editor().getView (EditorComponent::switchesView));
        ASSERT_NE (box, nullptr);
        box->showEditor();
        ASSERT_TRUE (editor().isEditingText());

        layer.deliverFromOtherThread (
            { juce::MidiMessage::controllerEvent (16, 119, 1), juce::MidiMessage::controllerEvent (16, 119, 2) });
        pump (300);

        if (box->isBeingEdited())
            break;
    }

    ASSERT_TRUE (box->isBeingEdited()) << "another window kept the keyboard focus";
    EXPECT_TRUE (isSelected (editor(), EditorComponent::switchesView));
    EXPECT_TRUE (document->getControlFollower().isWaitingForEdit());

    box->hideEditor (false);

    ASSERT_TRUE (pumpMessagesUntil ([&] { return editor().isFlashing (ControlType::Knob, 2); }, waitMs));
    EXPECT_TRUE (isSelected (editor(), EditorComponent::knobsView));
    EXPECT_FALSE (document->getControlFollower().isWaitingForEdit());
}

TEST_F (FollowTest, ABurstOfMessagesIsFollowedByItsLatestAndSysExIsPassedOver)
{
    auto dump = presetWithKnobsOn ({ 2 }, 119, 16);
    const auto offset = TestRig::dumpHeadLength + PresetLayout::getOffset (ControlType::Knob, 5);
    dump.set (offset, 0);
    dump.set (offset + 1, 117);
    dump.set (offset + 4, 15);
    TestRig::loadPreset (*engine, dump);

    // A thousand turns of knob 3 and, last, one of knob 6, with a SysEx reply between them.
    std::vector<juce::MidiMessage> burst;

    for (int i = 0; i < 1000; ++i)
        burst.push_back (juce::MidiMessage::controllerEvent (16, 119, i % 128));

    const juce::uint8 sysEx[] = { 0x7e, 0x00, 0x06, 0x01 };
    burst.push_back (juce::MidiMessage::createSysExMessage (sysEx, (int) sizeof (sysEx)));
    burst.push_back (juce::MidiMessage::controllerEvent (16, 117, 3));
    layer.deliverFromOtherThread (burst);

    ASSERT_TRUE (pumpMessagesUntil ([&] { return editor().isFlashing (ControlType::Knob, 5); }, waitMs));
    auto* knobs = dynamic_cast<BankView*> (editor().getView (EditorComponent::knobsView));
    EXPECT_EQ (knobs->getCurrentBank(), 1);

    // Turned off, nothing is followed.
    follow->setEnabled (false);
    editor().viewSelected (EditorComponent::mainView);
    layer.deliverFromOtherThread ({ juce::MidiMessage::controllerEvent (16, 119, 9) });
    pump (200);
    EXPECT_TRUE (isSelected (editor(), EditorComponent::mainView));
}

TEST_F (FollowTest, EveryKindOfControlIsFoundOnItsTab)
{
    // The default preset with pad 5 on note 38 of channel 10 and switch 12 on CC 85 of channel 15:
    // for each kind, a message that playing the control sends and that names it first.
    auto dump = TestRig::defaultPresetDump();
    const auto setBlock =
        [&dump] (ControlType type, int index, juce::uint8 mode, juce::uint8 number, juce::uint8 channel)
    {
        const auto offset = TestRig::dumpHeadLength + PresetLayout::getOffset (type, index);
        dump.set (offset, mode);
        dump.set (offset + 1, number);
        dump.set (offset + 4, channel);
    };
    setBlock (ControlType::Pad, 4, 0, 38, 9);
    setBlock (ControlType::Switch, 11, 1, 85, 14);
    TestRig::loadPreset (*engine, dump);
    const PresetMessages preset (engine->getPresetImage());
    using Ref = PresetMessages::ControlRef;
    using Gesture = PresetMessages::Gesture;

    struct Case
    {
        Ref control;
        Gesture gesture;
        int viewIndex;
        int flashIndex;
    };

    const Case cases[] = {
        { { ControlType::Pad, 4 }, { Gesture::Kind::press, 100 }, EditorComponent::drumPadsView, 4 },
        { { ControlType::Switch, 11 }, { Gesture::Kind::press, 1 }, EditorComponent::switchesView, 11 },
        { { ControlType::Transport, 3 }, { Gesture::Kind::press, 1 }, EditorComponent::transportView, 3 },
        { { ControlType::Wheels, 0 }, { Gesture::Kind::turn, 100 }, EditorComponent::wheelsView, 0 },
        { { ControlType::Wheels, 1 }, { Gesture::Kind::turn, 100 }, EditorComponent::wheelsView, 1 },
        { { ControlType::Sustain, 0 }, { Gesture::Kind::press, 1 }, EditorComponent::sustainView, 0 },
        { { ControlType::Keybed, 0, Ref::Zone::whole },
          { Gesture::Kind::keyDown, 30 },
          EditorComponent::keybedView,
          0 },
    };

    for (const auto& testCase : cases)
    {
        SCOPED_TRACE (PresetMessages::getName (testCase.control).toStdString());
        const auto messages = preset.play (testCase.control, testCase.gesture);
        const auto sent = std::find_if (messages.begin(), messages.end(),
                                        [&] (const juce::MidiMessage& m)
                                        { return preset.findSenders (m).getFirst() == testCase.control; });
        ASSERT_NE (sent, messages.end());

        editor().viewSelected (EditorComponent::mainView);
        pump (FollowController::followIntervalMs + 10);
        layer.deliverFromOtherThread ({ *sent });

        EXPECT_TRUE (pumpMessagesUntil (
            [&] { return editor().isFlashing (testCase.control.controlType, testCase.flashIndex); }, waitMs));
        EXPECT_TRUE (isSelected (editor(), testCase.viewIndex));
    }
}
