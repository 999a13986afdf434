#include "support/WidgetTestHelpers.h"
#include "views/GenericControlView.h"
#include "widgets/DoubleParameterControllerComboBox.h"
#include "widgets/DoubleParamterControllerNumberBox.h"

#include <gtest/gtest.h>

using namespace WidgetTestHelpers;

namespace
{
struct ModeGroup
{
    juce::String name;
    juce::StringArray boxes;
};

/** A mode view built as the knob, pad and switch views build theirs. */
class TestModeView : public GenericControlView
{
public:
    TestModeView (ZKEditorEngine::Ptr engineToUse, int type, juce::uint8 controlIndex,
                  std::vector<ModeGroup> modeGroups)
        : GenericControlView ("Control " + juce::String (controlIndex + 1))
        , engine (std::move (engineToUse))
        , controlType (type)
        , index (controlIndex)
        , groups (std::move (modeGroups))
    {
        createControlGroups();
        showControlGroup (0);
    }

    void createControlGroups() override
    {
        modeBox = std::make_unique<DoubleParameterControllerComboBox> (engine, "Mode", index, controlType,
                                                                       juce::StringArray());
        setModeSelector (modeBox.get());

        for (const auto& group : groups)
        {
            juce::Array<juce::Component*> widgets;

            for (const auto& name : group.boxes)
            {
                const auto isChannel = name == "MIDI Channel";
                widgets.add (numberBoxes.add (std::make_unique<DoubleParamterControllerNumberBox> (
                    engine, name, index, controlType, isChannel ? 1 : 0, isChannel ? 16 : 127, isChannel ? 1 : 0)));
            }

            addControlGroup (group.name, widgets);
        }
    }

    /** The number of the only visible group, -1 for none, -2 for several. */
    int visibleGroup() const
    {
        int visible = -1;

        for (int i = 0; i < getNumControlGroups(); ++i)
            if (getControlGroup (i)->isVisible())
                visible = visible == -1 ? i : -2;

        return visible;
    }

    ZKEditorEngine::Ptr engine;
    juce::OwnedArray<DoubleParamterControllerNumberBox> numberBoxes;
    std::unique_ptr<DoubleParameterControllerComboBox> modeBox;
    int controlType;
    juce::uint8 index;
    std::vector<ModeGroup> groups;
};

std::vector<ModeGroup> knobGroups()
{
    return { { "CC", { "MIDI Channel", "CC", "Min", "Max" } }, { "Aftertouch", { "MIDI Channel", "Min", "Max" } } };
}

std::vector<ModeGroup> switchGroups()
{
    return { { "CC Toggle", { "MIDI Channel", "CC", "Toggle On", "Toggle Off" } },
             { "CC Momentary", { "MIDI Channel", "CC", "Pressed", "Released" } },
             { "Program Change", { "MIDI Channel", "Bank LSB", "Bank MSB", "Program" } } };
}
} // namespace

TEST (GenericControlView, FrameStacksTitleModeListAndGroups)
{
    Document document;
    TestModeView view (document.engine, ControlType::Knob, 2, knobGroups());

    EXPECT_EQ (view.getWidth(), 300);
    EXPECT_EQ (view.getHeight(), 200);

    auto& title = view.getTitleLabel();
    EXPECT_EQ (title.getText(), "Control 3");
    EXPECT_EQ (title.getBounds(), juce::Rectangle<int> (70, 0, 300, 18));
    EXPECT_EQ (title.findColour (juce::Label::textColourId), juce::Colours::white);
    EXPECT_EQ (title.getFont().getHeight(), 18.0f);
    EXPECT_TRUE (title.isVisible());

    EXPECT_EQ (view.getModeSelector(), view.modeBox.get());
    EXPECT_EQ (view.modeBox->getBounds(), juce::Rectangle<int> (0, 28, 200, 18));
    EXPECT_EQ (view.modeBox->getParentComponent(), &view);
    EXPECT_TRUE (view.modeBox->isVisible());

    auto& modeList = view.modeBox->getComboBox();
    ASSERT_EQ (modeList.getNumItems(), 2);
    EXPECT_EQ (modeList.getItemText (0), "CC");
    EXPECT_EQ (modeList.getItemId (0), 1);
    EXPECT_EQ (modeList.getItemText (1), "Aftertouch");
    EXPECT_EQ (modeList.getItemId (1), 2);

    ASSERT_EQ (view.getNumControlGroups(), 2);
    const int expectedY[] = { 0, 23, 46, 69 };

    for (int g = 0; g < 2; ++g)
    {
        auto* group = view.getControlGroup (g);
        EXPECT_EQ (group->getBounds(), juce::Rectangle<int> (0, 51, 200, 180));
        EXPECT_EQ (group->getParentComponent(), &view);

        for (int w = 0; w < group->getNumChildComponents(); ++w)
        {
            auto* widget = group->getChildComponent (w);
            EXPECT_EQ (widget->getBounds(), juce::Rectangle<int> (0, expectedY[w], 200, 18));
            EXPECT_TRUE (widget->isVisible());
        }
    }

    EXPECT_EQ (view.getControlGroup (0)->getNumChildComponents(), 4);
    EXPECT_EQ (view.getControlGroup (1)->getNumChildComponents(), 3);
    EXPECT_EQ (view.getControlGroup (1)->getChildComponent (0), view.numberBoxes[4]);
}

TEST (GenericControlView, NewViewShowsItsFirstGroupUntilAPresetSetsTheMode)
{
    Document document;
    TestModeView view (document.engine, ControlType::Knob, 0, knobGroups());

    EXPECT_EQ (view.visibleGroup(), 0);
    EXPECT_EQ (view.modeBox->getComboBox().getText(), "CC");

    pump (100);
    EXPECT_EQ (view.visibleGroup(), 0);
    EXPECT_EQ (view.modeBox->getComboBox().getText(), "CC");

    document.load (presetWith ({ { ImageOffset::knobs, 1 } }));
    pump (100);
    EXPECT_EQ (view.visibleGroup(), 1);
    EXPECT_EQ (view.modeBox->getComboBox().getText(), "Aftertouch");
    EXPECT_EQ (view.getControlGroup (1)->getNumChildComponents(), 3);
}

TEST (GenericControlView, ChoosingAModeShowsOnlyItsGroupAndStoresTheMode)
{
    Document document;
    TestModeView view (document.engine, ControlType::Switch, 11, switchGroups());
    auto& switchControl = document.control (ControlType::Switch, 11);
    document.loadDefaultPreset();
    pump();
    EXPECT_EQ (view.visibleGroup(), 0);

    view.modeBox->getComboBox().setSelectedId (3, juce::sendNotificationAsync);
    pump();
    EXPECT_EQ (view.visibleGroup(), 2);
    EXPECT_EQ (switchControl.getValue ("Mode"), 2);

    view.modeBox->getComboBox().setSelectedId (2, juce::sendNotificationAsync);
    pump();
    EXPECT_EQ (view.visibleGroup(), 1);
    EXPECT_FALSE (view.getControlGroup (0)->isVisible());
    EXPECT_FALSE (view.getControlGroup (2)->isVisible());
    EXPECT_EQ (switchControl.getValue ("Mode"), 1);

    view.showControlGroup (0);
    EXPECT_EQ (view.visibleGroup(), 0);
    view.showControlGroup (7);
    EXPECT_EQ (view.visibleGroup(), -1);
}

TEST (GenericControlView, SwitchModeThreeShowsNoGroupAndAnEmptyList)
{
    Document document;
    TestModeView view (document.engine, ControlType::Switch, 0, switchGroups());
    auto& switchControl = document.control (ControlType::Switch, 0);

    document.load (presetWith ({ { ImageOffset::switches, 3 } }));
    pump (100);

    EXPECT_EQ (view.visibleGroup(), -1);
    EXPECT_TRUE (view.modeBox->getComboBox().getText().isEmpty());
    EXPECT_EQ (switchControl.getValue ("Mode"), 3);

    document.loadDefaultPreset();
    pump();
    EXPECT_EQ (view.visibleGroup(), 0);
}

TEST (GenericControlView, BoxesOfOneNameInSeveralGroupsAllFollowTheParameter)
{
    Document document;
    TestModeView view (document.engine, ControlType::Switch, 4, switchGroups());

    document.load (presetWith ({ { ImageOffset::switches + 4 * ImageOffset::blockLength + 4, 6 } }));
    pump();

    int channelBoxes = 0;

    for (auto* box : view.numberBoxes)
        if (box->getParameterName() == "MIDI Channel")
        {
            ++channelBoxes;
            EXPECT_EQ (box->getNumberBox().getValue(), 7.0);
        }

    EXPECT_EQ (channelBoxes, 3);
    EXPECT_EQ (view.numberBoxes.size(), 12);
}

TEST (GenericControlView, ModeListThatOutlivesItsViewNoLongerReachesIt)
{
    Document document;
    DoubleParameterControllerComboBox modeList (document.engine, "Mode", 0, ControlType::Knob, juce::StringArray());

    struct BareView : public GenericControlView
    {
        BareView()
            : GenericControlView ("Bare")
        {
        }
        void createControlGroups() override {}
    };

    {
        BareView view;
        view.setModeSelector (&modeList);
        view.addControlGroup ("CC", {});
        view.addControlGroup ("Aftertouch", {});
        EXPECT_EQ (modeList.getParentComponent(), &view);
    }

    EXPECT_EQ (modeList.getParentComponent(), nullptr);
    modeList.getComboBox().setSelectedId (2, juce::sendNotificationAsync);
    pump();
    EXPECT_EQ (document.control (ControlType::Knob).getValue ("Mode"), 1);
}
