#include "app/ConnectionStatusLabel.h"

namespace
{
constexpr int refreshIntervalMs = 250;
constexpr float fontHeight = 16.0f;
const juce::Colour linkColour (0xff8fd0ff);
} // namespace

const juce::String ConnectionStatusLabel::connectedPrefix ("Controller: ");
const juce::String ConnectionStatusLabel::notConnectedText ("No controller chosen - Device Setup...");

//==============================================================================
ConnectionStatusLabel::ConnectionStatusLabel (MidiManager& midiManagerToWatch, std::function<void()> openSetup)
    : juce::Label ("Connection Status")
    , midiManager (midiManagerToWatch)
    , openDeviceSetup (std::move (openSetup))
{
    setColour (juce::Label::textColourId, juce::Colours::white);
    setFont (juce::Font (fontHeight));
    setJustificationType (juce::Justification::centredLeft);
    setMinimumHorizontalScale (0.7f);

    refresh();
    startTimer (refreshIntervalMs);
}

ConnectionStatusLabel::~ConnectionStatusLabel() { stopTimer(); }

//==============================================================================
void ConnectionStatusLabel::refresh()
{
    connected = midiManager.isInputOpen() && midiManager.isOutputOpen();

    const auto text = connected ? connectedPrefix + midiManager.getOutputDeviceName() : notConnectedText;

    if (text != getText())
    {
        // Without a controller the line opens Device Setup, and looks like a link to say so.
        setText (text, juce::dontSendNotification);
        setMouseCursor (connected ? juce::MouseCursor::NormalCursor : juce::MouseCursor::PointingHandCursor);
        setFont (juce::Font (fontHeight).withStyle (connected ? juce::Font::plain : juce::Font::underlined));
        setColour (juce::Label::textColourId, connected ? juce::Colours::white : linkColour);
    }
}

void ConnectionStatusLabel::mouseUp (const juce::MouseEvent& event)
{
    if (! connected && openDeviceSetup != nullptr && event.mouseWasClicked())
        openDeviceSetup();
}
