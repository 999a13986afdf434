#include "app/TransferStatusBar.h"

#include "engine/ZKSysEx.h"
#include "widgets/EditorColours.h"

namespace
{
constexpr int margin = 4;
constexpr int textWidth = 300;
constexpr int buttonWidth = 80;
} // namespace

//==============================================================================
TransferStatusBar::TransferStatusBar()
{
    setName ("Transfer Status");
    text.setName ("Transfer Status Text");
    text.setColour (juce::Label::textColourId, juce::Colours::white);
    progressBar.setName ("Transfer Progress");
    progressBar.setLookAndFeel (&barLook);
    progressBar.setColour (juce::ProgressBar::backgroundColourId, EditorColours::blue.darker (0.6f));
    progressBar.setColour (juce::ProgressBar::foregroundColourId, juce::Colour (0xff8fd0ff));
    cancelButton.setName ("Cancel");
    cancelButton.onClick = [this]
    {
        if (onCancel)
            onCancel();
    };

    stopButton.setName ("Stop");
    stopButton.onClick = [this]
    {
        if (onStop)
            onStop();
    };

    addAndMakeVisible (text);
    addAndMakeVisible (progressBar);
    addAndMakeVisible (cancelButton);
    addChildComponent (stopButton);
}

//==============================================================================
juce::String TransferStatusBar::describe (const ZKEditorEngine::TransferStatus& status)
{
    using Kind = ZKEditorEngine::TransferStatus::Kind;

    if (status.stage == ZKEditorEngine::TransferStatus::Stage::waiting)
        return "Waiting for the controller";

    const auto slotNumber = juce::String (status.slot + 1); // slots are shown from 1

    switch (status.kind)
    {
        case Kind::get:
            return "Getting slot " + slotNumber;
        case Kind::send:
            return "Sending to slot " + slotNumber;
        case Kind::sync:
            return "Setting the sync mode";
        case Kind::verify:
            return "Verifying slot " + slotNumber;
        case Kind::compare:
            return "Reading slot " + slotNumber;
        case Kind::liveEdit:
            return "Writing to slot " + slotNumber;
        case Kind::nameRead:
            return "Reading the name of slot " + slotNumber;
        case Kind::rename:
            return "Renaming slot " + slotNumber;
        case Kind::slotWrite:
            return "Writing slot " + slotNumber;
        case Kind::backup:
            return "Backing up slot " + slotNumber + " of " + juce::String (ZKSysEx::numberOfSlots);
        case Kind::none:
        default:
            return {};
    }
}

void TransferStatusBar::showMessage (const juce::String& message) { showText (message, false, false); }

void TransferStatusBar::showLive (juce::uint8 slot) { showText ("Live: slot " + juce::String (slot + 1), false, true); }

void TransferStatusBar::showStatus (const ZKEditorEngine::TransferStatus& status)
{
    // A retry of a Get starts its count again; the bar says which attempt it is on.
    auto barText = juce::String (status.done) + " of " + juce::String (status.total);

    if (status.retries > 0)
        barText << " (retry " << status.retries << ")";

    showJob (describe (status), status.done, status.total, barText);
}

void TransferStatusBar::showJob (const juce::String& textToShow, int doneOfWhole, int whole,
                                 const juce::String& barText)
{
    showText (textToShow, true, false);
    done = doneOfWhole;
    total = whole;
    progress = total > 0 ? (double) done / total : 0.0;
    progressBar.setTextToDisplay (barText);
}

void TransferStatusBar::showText (const juce::String& textToShow, bool withProgress, bool withStop)
{
    text.setText (textToShow, juce::dontSendNotification);
    progressBar.setVisible (withProgress);
    cancelButton.setVisible (withProgress);
    stopButton.setVisible (withStop);
}

//==============================================================================
void TransferStatusBar::BarLook::drawProgressBar (juce::Graphics& g, juce::ProgressBar& bar, int width, int height,
                                                  double progress, const juce::String& textToShow)
{
    const auto bounds = juce::Rectangle<int> (width, height).toFloat();
    const auto corner = (float) height * 0.5f;

    g.setColour (bar.findColour (juce::ProgressBar::backgroundColourId));
    g.fillRoundedRectangle (bounds, corner);

    if (progress > 0.0)
    {
        juce::Graphics::ScopedSaveState clipped (g);
        juce::Path outline;
        outline.addRoundedRectangle (bounds, corner);
        g.reduceClipRegion (outline);
        g.setColour (bar.findColour (juce::ProgressBar::foregroundColourId));
        g.fillRoundedRectangle (bounds.withWidth (bounds.getWidth() * (float) juce::jmin (1.0, progress)), corner);
    }

    if (textToShow.isEmpty())
        return;

    // A dark outline under white text: the bar is light where it is filled and dark elsewhere.
    g.setFont ((float) height * 0.6f);
    g.setColour (juce::Colours::black.withAlpha (0.8f));

    for (const auto offset : { juce::Point<int> (-1, 0), { 1, 0 }, { 0, -1 }, { 0, 1 } })
        g.drawText (textToShow, bounds.toNearestInt() + offset, juce::Justification::centred, false);

    g.setColour (juce::Colours::white);
    g.drawText (textToShow, bounds.toNearestInt(), juce::Justification::centred, false);
}

//==============================================================================
void TransferStatusBar::paint (juce::Graphics& g) { g.fillAll (EditorColours::blue); }

void TransferStatusBar::resized()
{
    auto area = getLocalBounds().reduced (margin);
    text.setBounds (area.removeFromLeft (textWidth));
    cancelButton.setBounds (area.removeFromRight (buttonWidth));
    stopButton.setBounds (cancelButton.getBounds());
    area.removeFromRight (margin);
    progressBar.setBounds (area);
}
