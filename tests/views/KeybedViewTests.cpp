#include "support/ViewTestHelpers.h"
#include "views/KeybedControlView.h"
#include "views/KeybedParameterView.h"
#include "views/KeybedSplitSelectorView.h"
#include "widgets/ControlToMidiControllerButton.h"
#include "widgets/SingleParameterControllerComboBox.h"
#include "widgets/SingleParameterControllerNumberBox.h"

#include <gtest/gtest.h>

using namespace ViewTestHelpers;

namespace
{
class KeybedViewTest : public ::testing::Test
{
protected:
    KeybedParameterView& zone (int index) { return *view->getZoneViews()[index]; }

    juce::ComboBox& splitModeList()
    {
        auto* box = findAll<SingleParameterControllerComboBox> (view->getSplitSelector()).getFirst();
        return box->getComboBox();
    }

    NumberBox& splitPointBox() { return *findNamed<NumberBox> (view->getSplitSelector(), "Split Point"); }

    juce::StringArray shownZones()
    {
        juce::StringArray shown;

        for (auto* zoneView : view->getZoneViews())
            if (zoneView->isVisible())
                shown.add (findAll<juce::Label> (*zoneView).getFirst()->getText());

        return shown;
    }

    Control& keybed() { return controlOf (*engine, ControlType::Keybed); }

    Document document;
    ZKEditorEngine::Ptr engine = document.engine;
    std::unique_ptr<KeybedControlView> view = std::make_unique<KeybedControlView> (engine);
};
} // namespace

//==============================================================================
TEST_F (KeybedViewTest, SplitModeOnShowsTheLowerAndUpperZonesSideBySide)
{
    loadPreset (*engine, defaultPresetWith (*engine, ControlType::Keybed, 0, "Split Mode", 0));

    EXPECT_EQ (splitModeList().getText(), "On");
    EXPECT_EQ (shownZones(), juce::StringArray ({ "Lower Keybed", "Upper Keybed" }));
    EXPECT_EQ (zone (1).getBounds(), juce::Rectangle<int> (258, 10, 300, 200));
    EXPECT_EQ (zone (2).getBounds(), juce::Rectangle<int> (563, 15, 300, 200));
    EXPECT_FALSE (zone (0).isVisible());
}

TEST_F (KeybedViewTest, SplitModeOffShowsOnlyTheWholeKeybed)
{
    loadPreset (*engine, defaultPresetDump());

    EXPECT_EQ (splitModeList().getText(), "Off");
    EXPECT_EQ (shownZones(), juce::StringArray ("Keybed"));
    EXPECT_EQ (zone (0).getBounds(), juce::Rectangle<int> (258, 10, 300, 200));
}

TEST_F (KeybedViewTest, ChoosingASplitModeSwitchesTheZonesAtOnceAndStoresIt)
{
    loadPreset (*engine, defaultPresetDump());

    chooseEntry (splitModeList(), "On");
    EXPECT_EQ (shownZones(), juce::StringArray ({ "Lower Keybed", "Upper Keybed" }));
    EXPECT_EQ (keybed().getValue ("Split Mode"), 0);

    chooseEntry (splitModeList(), "Off");
    EXPECT_EQ (shownZones(), juce::StringArray ("Keybed"));
    EXPECT_EQ (keybed().getValue ("Split Mode"), 1);
}

TEST_F (KeybedViewTest, LaysOutSplitSelectorDividerAndZones)
{
    EXPECT_EQ (view->getBounds(), juce::Rectangle<int> (0, 0, 1200, 300));
    EXPECT_EQ (view->getSplitSelector().getBounds(), juce::Rectangle<int> (40, 10, 200, 300));

    auto* divider = findAll<juce::ImageComponent> (*view).getFirst();
    ASSERT_NE (divider, nullptr);
    EXPECT_EQ (divider->getBounds(), juce::Rectangle<int> (250, 15, 3, 191));

    auto* title = findNamed<juce::Label> (view->getSplitSelector(), "Split Keyboard");
    ASSERT_NE (title, nullptr);
    EXPECT_EQ (title->getText(), "Split Keyboard");
    EXPECT_EQ (title->getBounds(), juce::Rectangle<int> (70, 0, 300, 20));
    EXPECT_EQ (title->findColour (juce::Label::textColourId), juce::Colours::white);

    auto* splitMode = findAll<SingleParameterControllerComboBox> (view->getSplitSelector()).getFirst();
    auto* splitPoint = findAll<SingleParameterControllerNumberBox> (view->getSplitSelector()).getFirst();
    EXPECT_EQ (splitMode->getBounds(), juce::Rectangle<int> (0, 30, 200, 22));
    EXPECT_EQ (splitPoint->getBounds(), juce::Rectangle<int> (0, 57, 200, 22));
    EXPECT_EQ (splitModeList().getNumItems(), 2);
    EXPECT_EQ (splitModeList().getItemText (0), "On");
    EXPECT_EQ (splitModeList().getItemText (1), "Off");
}

TEST_F (KeybedViewTest, SplitPointCountsKeysFromOne)
{
    loadPreset (*engine, defaultPresetWith (*engine, ControlType::Keybed, 0, "Split Point", 60));

    EXPECT_EQ (splitPointBox().getText(), "61");
    EXPECT_EQ (splitPointBox().minimum, 1.0);
    EXPECT_EQ (splitPointBox().maximum, 61.0);

    splitPointBox().setNumber (1);
    EXPECT_EQ (keybed().getValue ("Split Point"), 0);
}

TEST_F (KeybedViewTest, ZoneViewsEditTheParametersOfTheirZone)
{
    const juce::StringArray zoneNames{ "Keybed", "Lower Keybed", "Upper Keybed" };
    const juce::StringArray labels{ "MIDI Channel", "Transpose", "Octave", "Curve" };

    for (int z = 0; z < zoneNames.size(); ++z)
    {
        auto& zoneView = zone (z);
        auto* title = findAll<juce::Label> (zoneView).getFirst();
        EXPECT_EQ (title->getText(), zoneNames[z]);
        EXPECT_EQ (title->getName(), zoneNames[z]);
        EXPECT_EQ (title->getBounds(), juce::Rectangle<int> (60, 0, 300, 20));

        const auto& boxes = zoneView.getNumberBoxes();
        ASSERT_EQ (boxes.size(), labels.size());

        for (int i = 0; i < labels.size(); ++i)
        {
            EXPECT_EQ (boxes[i]->getLabel().getText(), labels[i]);
            EXPECT_EQ (boxes[i]->getParameterName(), zoneNames[z] + " " + labels[i]);
            EXPECT_EQ (boxes[i]->getBounds(), juce::Rectangle<int> (0, 30 + 27 * i, 200, 22));
        }

        auto* din = findAll<ControlToMidiControllerButton> (zoneView).getFirst();
        ASSERT_NE (din, nullptr);
        EXPECT_EQ (din->getBounds(), juce::Rectangle<int> (100, 138, 100, 12));
        EXPECT_EQ (din->getParameterName(), zoneNames[z] + " Midi To DIN");
    }
}

TEST_F (KeybedViewTest, ZoneBoxesShowChannelTransposeOctaveAndCurveAsTheUserCountsThem)
{
    auto preset = defaultPresetWith (*engine, ControlType::Keybed, 0, "Upper Keybed Transpose", 0);
    preset = withParameter (preset, *engine, ControlType::Keybed, 0, "Lower Keybed Transpose", 24);
    preset = withParameter (preset, *engine, ControlType::Keybed, 0, "Lower Keybed Curve", 7);
    preset = withParameter (preset, *engine, ControlType::Keybed, 0, "Upper Keybed MIDI Channel", 15);
    loadPreset (*engine, preset);

    auto text = [this] (int z, int box) { return zone (z).getNumberBoxes()[box]->getNumberBox().getText(); };

    // Default preset: channel 1, transpose 0, octave 5, curve 5.
    EXPECT_EQ (text (0, 0), "1");
    EXPECT_EQ (text (0, 1), "0");
    EXPECT_EQ (text (0, 2), "5");
    EXPECT_EQ (text (0, 3), "5");

    EXPECT_EQ (text (1, 1), "12");
    EXPECT_EQ (text (1, 3), "8");
    EXPECT_EQ (text (2, 0), "16");
    EXPECT_EQ (text (2, 1), "-12");

    auto& octave = zone (2).getNumberBoxes()[2]->getNumberBox();
    EXPECT_EQ (octave.maximum, 10.0);

    // A typed -12 stores 0, a typed 3 for the channel stores 2.
    zone (0).getNumberBoxes()[1]->getNumberBox().setNumber (-12);
    EXPECT_EQ (keybed().getValue ("Keybed Transpose"), 0);
    zone (1).getNumberBoxes()[0]->getNumberBox().setNumber (3);
    EXPECT_EQ (keybed().getValue ("Lower Keybed MIDI Channel"), 2);
    EXPECT_EQ (keybed().getValue ("Keybed MIDI Channel"), 0);
}

TEST_F (KeybedViewTest, AStoredValueOutsideABoxsRangeIsShownAsItIsAndMarked)
{
    loadPreset (*engine, defaultPresetDump());
    auto& curve = zone (0).getNumberBoxes()[3]->getNumberBox();
    EXPECT_EQ (curve.getText(), "5");
    EXPECT_FALSE (curve.isOutOfRange());

    // A file may hold any byte up to 127: curve 8 is shown as 9, in a box that takes 1 to 8.
    loadPreset (*engine, defaultPresetWith (*engine, ControlType::Keybed, 0, "Keybed Curve", 8));
    EXPECT_EQ (curve.getText(), "9");
    EXPECT_EQ (curve.getValue(), 9.0);
    EXPECT_TRUE (curve.isOutOfRange());
    EXPECT_TRUE (curve.getTooltip().contains ("1 to 8"));

    auto image = curve.createComponentSnapshot (curve.getLocalBounds(), true, 1.0f);
    EXPECT_EQ (image.getPixelAt (1, 1), juce::Colour (0xFFFFE4D6));

    // The next load in range clears the mark.
    loadPreset (*engine, defaultPresetWith (*engine, ControlType::Keybed, 0, "Keybed Curve", 2));
    EXPECT_EQ (curve.getText(), "3");
    EXPECT_FALSE (curve.isOutOfRange());
    EXPECT_TRUE (curve.getTooltip().isEmpty());

    loadPreset (*engine, defaultPresetWith (*engine, ControlType::Keybed, 0, "Split Point", 61));
    EXPECT_EQ (splitPointBox().getText(), "62");
    EXPECT_TRUE (splitPointBox().isOutOfRange());
    EXPECT_EQ (keybed().getValue ("Split Point"), 61);
}
