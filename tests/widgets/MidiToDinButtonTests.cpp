#include "support/WidgetTestHelpers.h"
#include "widgets/ControlToMidiControllerButton.h"
#include "widgets/ControlToMidiTextButton.h"
#include "widgets/MidiToDinButtonLook.h"

#include <gtest/gtest.h>

using namespace WidgetTestHelpers;

namespace
{
struct CountingButtonListener : public juce::Button::Listener
{
    void buttonClicked (juce::Button*) override { ++clicks; }
    int clicks = 0;
};

/** A click as the mouse makes it; the button delivers it through the message loop. */
void click (juce::Button& button)
{
    button.triggerClick();
    pump();
}

constexpr int knobsFlag = 7;
} // namespace

TEST (MidiToDinButton, TextButtonIsBuiltOffWithItsLabel)
{
    CountingButtonListener further;
    ControlToMidiTextButton din ("Knobs Midi To DIN", &further);

    EXPECT_EQ (din.getWidth(), 100);
    EXPECT_EQ (din.getHeight(), 12);
    EXPECT_EQ (din.getLabel().getText(), "MIDI to DIN");
    EXPECT_EQ (din.getLabel().getFont().getHeight(), 12.0f);
    EXPECT_EQ (din.getLabel().getBounds(), juce::Rectangle<int> (0, 0, 60, 12));
    EXPECT_EQ (din.getLabel().findColour (juce::Label::textColourId), juce::Colours::white);

    auto& button = din.getButton();
    EXPECT_EQ (button.getBounds(), juce::Rectangle<int> (62, 0, 20, 12));
    EXPECT_EQ (button.getName(), "Knobs Midi To DIN");
    EXPECT_EQ (button.getButtonText(), "OFF");
    EXPECT_FALSE (button.getToggleState());
    EXPECT_TRUE (button.isVisible());
    EXPECT_TRUE (din.getLabel().isVisible());
    EXPECT_NE (dynamic_cast<MidiToDinButtonLook*> (&button.getLookAndFeel()), nullptr);

    click (button);
    EXPECT_EQ (button.getButtonText(), "ON");
    EXPECT_TRUE (button.getToggleState());
    EXPECT_EQ (further.clicks, 1);

    click (button);
    EXPECT_EQ (button.getButtonText(), "OFF");
    EXPECT_EQ (further.clicks, 2);

    din.setDisplayedValue (5);
    EXPECT_EQ (button.getButtonText(), "ON");
    din.setDisplayedValue (0);
    EXPECT_EQ (button.getButtonText(), "OFF");
}

TEST (MidiToDinButton, ShowsOffWhenNewAndOnAfterTheDefaultPreset)
{
    Document document;
    ControlToMidiControllerButton din (document.engine, "Knobs Midi To DIN");
    ControlToMidiControllerButton pads (document.engine, "Pads Midi To DIN");

    EXPECT_EQ (din.getButton().getButtonText(), "OFF");
    EXPECT_EQ (pads.getButton().getButtonText(), "OFF");

    document.loadDefaultPreset();
    EXPECT_EQ (din.getButton().getButtonText(), "ON");
    EXPECT_TRUE (din.getButton().getToggleState());
    EXPECT_EQ (pads.getButton().getButtonText(), "ON");
}

TEST (MidiToDinButton, ClickStoresTheFlagAndTellsOnlyTheOtherObservers)
{
    Document document;
    RecordingControlListener recorder;
    auto& flags = document.control (ControlType::MidiToDin);
    ControlToMidiControllerButton din (document.engine, "Knobs Midi To DIN");
    document.loadDefaultPreset();
    flags.addListener (&recorder);

    click (din.getButton());
    EXPECT_EQ (flags.getValue ("Knobs Midi To DIN"), 0);
    EXPECT_EQ (din.getButton().getButtonText(), "OFF");
    EXPECT_EQ (recorder.calls, (std::vector<std::pair<juce::String, juce::uint8>>{ { "Knobs Midi To DIN", 0 } }));

    // The other flags stay on.
    EXPECT_EQ (flags.getValue ("Pads Midi To DIN"), 1);
    EXPECT_EQ (flags.getValue ("Switches Midi To DIN"), 1);

    click (din.getButton());
    EXPECT_EQ (flags.getValue ("Knobs Midi To DIN"), 1);
    EXPECT_EQ (din.getButton().getButtonText(), "ON");
    EXPECT_EQ (recorder.calls.size(), 2u);
}

TEST (MidiToDinButton, LoadedTwoShowsOn)
{
    Document document;
    auto& flags = document.control (ControlType::MidiToDin);
    ControlToMidiControllerButton din (document.engine, "Knobs Midi To DIN");

    document.load (presetWith ({ { ImageOffset::midiToDin + knobsFlag, 2 } }));
    EXPECT_EQ (din.getButton().getButtonText(), "ON");
    EXPECT_EQ (flags.getValue ("Knobs Midi To DIN"), 2);

    click (din.getButton());
    EXPECT_EQ (flags.getValue ("Knobs Midi To DIN"), 0);
    EXPECT_EQ (din.getButton().getButtonText(), "OFF");

    document.load (presetWith ({ { ImageOffset::midiToDin + knobsFlag, 0 } }));
    EXPECT_EQ (din.getButton().getButtonText(), "OFF");
}

TEST (MidiToDinButton, LookDrawsOnAsWhiteFillWithBlueTextAndOffAsWhiteFrame)
{
    MidiToDinButtonLook look;
    juce::TextButton button ("din");
    button.setBounds (0, 0, 20, 12);
    button.setButtonText ("ON");
    button.setToggleState (true, juce::dontSendNotification);

    auto on = blankImage (20, 12);
    {
        juce::Graphics g (on);
        look.drawButtonBackground (g, button, juce::Colours::red, false, false);
    }
    EXPECT_EQ (argb (on, 10, 6), 0xFFFFFFFFu);
    EXPECT_EQ (argb (on, 1, 6), 0xFFFFFFFFu);
    // Rounded by 2: the very corner is not fully covered.
    EXPECT_LT (on.getPixelAt (0, 0).getAlpha(), 255);

    {
        juce::Graphics g (on);
        look.drawButtonText (g, button, false, false);
    }
    EXPECT_GT (countPixelsNear (on, on.getBounds(), juce::Colour (0xFF117FC6)), 3);

    button.setButtonText ("OFF");
    button.setToggleState (false, juce::dontSendNotification);
    auto off = blankImage (20, 12);
    {
        juce::Graphics g (off);
        look.drawButtonBackground (g, button, juce::Colours::red, false, false);
    }
    EXPECT_EQ (argb (off, 0, 0), 0xFFFFFFFFu);
    EXPECT_EQ (argb (off, 19, 11), 0xFFFFFFFFu);
    EXPECT_EQ (argb (off, 10, 0), 0xFFFFFFFFu);
    EXPECT_EQ (off.getPixelAt (10, 6).getAlpha(), 0);
    EXPECT_EQ (off.getPixelAt (2, 2).getAlpha(), 0);

    auto offText = blankImage (20, 12);
    {
        juce::Graphics g (offText);
        look.drawButtonText (g, button, false, false);
    }
    EXPECT_GT (countPixelsNear (offText, offText.getBounds(), juce::Colours::white), 3);
    EXPECT_EQ (countPixelsNear (offText, offText.getBounds(), juce::Colour (0xFF117FC6)), 0);

    // The text starts at the left edge: the button is narrower than "OFF" needs, nothing is shortened.
    const auto ink = areaOfPixelsOtherThan (offText, juce::Colours::transparentBlack);
    EXPECT_LE (ink.getX(), 2);
}

TEST (MidiToDinButton, RenderedButtonShowsItsState)
{
    Document document;
    ControlToMidiControllerButton din (document.engine, "Sustain Midi To DIN");
    document.loadDefaultPreset();

    auto image = din.createComponentSnapshot (din.getLocalBounds(), true, 1.0f);
    EXPECT_EQ (argb (image, 80, 6), 0xFFFFFFFFu);
    EXPECT_EQ (argb (image, 80, 1), 0xFFFFFFFFu);
    EXPECT_EQ (image.getPixelAt (61, 6).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (90, 6).getAlpha(), 0);
    EXPECT_GT (countPixelsNear (image, { 62, 0, 20, 12 }, juce::Colour (0xFF117FC6)), 3);
    // The label's white text stands left of the button.
    EXPECT_GT (countPixelsNear (image, { 0, 0, 60, 12 }, juce::Colours::white), 10);
}
