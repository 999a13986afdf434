#include "support/WidgetTestHelpers.h"
#include "views/KnobControlView.h"
#include "views/SwitchControlView.h"

#include <gtest/gtest.h>

using namespace WidgetTestHelpers;

namespace
{
/** The number of the only visible group, -1 for none, -2 for several. */
int visibleGroup (const GenericControlView& view)
{
    int visible = -1;

    for (int i = 0; i < view.getNumControlGroups(); ++i)
        if (view.getControlGroup (i)->isVisible())
            visible = visible == -1 ? i : -2;

    return visible;
}

juce::ComboBox& modeListOf (GenericControlView& view) { return view.getModeSelector()->getComboBox(); }
} // namespace

TEST (GenericControlView, FrameStacksTitleModeListAndGroups)
{
    Document document;
    KnobControlView view (document.engine, 2);

    EXPECT_EQ (view.getBounds(), juce::Rectangle<int> (0, 0, 300, 200));

    auto& title = view.getTitleLabel();
    EXPECT_EQ (title.getText(), "Knob 3");
    EXPECT_EQ (title.getBounds(), juce::Rectangle<int> (70, 0, 300, 18));
    EXPECT_EQ (title.findColour (juce::Label::textColourId), juce::Colours::white);
    EXPECT_EQ (title.getFont().getHeight(), 18.0f);
    EXPECT_TRUE (title.isVisible());

    auto* modeBox = view.getModeSelector();
    ASSERT_NE (modeBox, nullptr);
    EXPECT_EQ (modeBox->getBounds(), juce::Rectangle<int> (0, 28, 200, 18));
    EXPECT_EQ (modeBox->getParentComponent(), &view);
    EXPECT_TRUE (modeBox->isVisible());

    auto& list = modeBox->getComboBox();
    ASSERT_EQ (list.getNumItems(), 2);
    EXPECT_EQ (list.getItemText (0), "CC");
    EXPECT_EQ (list.getItemId (0), 1);
    EXPECT_EQ (list.getItemText (1), "Aftertouch");
    EXPECT_EQ (list.getItemId (1), 2);

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

    // Each group has boxes of its own, also for a name that another group shows.
    auto* firstOfCc = dynamic_cast<ParameterNumberBox*> (view.getControlGroup (0)->getChildComponent (0));
    auto* firstOfAftertouch = dynamic_cast<ParameterNumberBox*> (view.getControlGroup (1)->getChildComponent (0));
    ASSERT_NE (firstOfAftertouch, nullptr);
    EXPECT_NE (firstOfAftertouch, firstOfCc);
    EXPECT_EQ (firstOfAftertouch->getParameterName(), "MIDI Channel");
}

TEST (GenericControlView, ChoosingAModeShowsOnlyItsGroupAndStoresTheMode)
{
    Document document;
    SwitchControlView view (document.engine, 11);
    auto& switchControl = document.control (ControlType::Switch, 11);
    document.loadDefaultPreset();
    pump();
    EXPECT_EQ (visibleGroup (view), 0);

    modeListOf (view).setSelectedId (3, juce::sendNotificationAsync);
    pump();
    EXPECT_EQ (visibleGroup (view), 2);
    EXPECT_EQ (switchControl.getValue ("Mode"), 2);

    modeListOf (view).setSelectedId (2, juce::sendNotificationAsync);
    pump();
    EXPECT_EQ (visibleGroup (view), 1);
    EXPECT_FALSE (view.getControlGroup (0)->isVisible());
    EXPECT_FALSE (view.getControlGroup (2)->isVisible());
    EXPECT_EQ (switchControl.getValue ("Mode"), 1);

    view.showControlGroup (0);
    EXPECT_EQ (visibleGroup (view), 0);
    view.showControlGroup (7);
    EXPECT_EQ (visibleGroup (view), -1);
}

TEST (GenericControlView, SwitchModeThreeShowsNoGroupAndAnEmptyList)
{
    Document document;
    SwitchControlView view (document.engine, 0);
    auto& switchControl = document.control (ControlType::Switch, 0);

    document.load (presetWith ({ { ImageOffset::switches, 3 } }));
    pump (100);

    EXPECT_EQ (visibleGroup (view), -1);
    EXPECT_TRUE (modeListOf (view).getText().isEmpty());
    EXPECT_EQ (switchControl.getValue ("Mode"), 3);

    document.loadDefaultPreset();
    pump();
    EXPECT_EQ (visibleGroup (view), 0);
}

TEST (GenericControlView, BoxesOfOneNameInSeveralGroupsAllFollowTheParameter)
{
    Document document;
    SwitchControlView view (document.engine, 4);

    document.load (presetWith ({ { ImageOffset::switches + 4 * ImageOffset::blockLength + 4, 6 } }));
    pump();

    int channelBoxes = 0, allBoxes = 0;

    for (int g = 0; g < view.getNumControlGroups(); ++g)
        for (auto* child : view.getControlGroup (g)->getChildren())
            if (auto* box = dynamic_cast<ParameterNumberBox*> (child))
            {
                ++allBoxes;

                if (box->getParameterName() == "MIDI Channel")
                {
                    ++channelBoxes;
                    EXPECT_EQ (box->getNumberBox().getValue(), 7.0);
                }
            }

    EXPECT_EQ (channelBoxes, 3);
    EXPECT_EQ (allBoxes, 12);
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
