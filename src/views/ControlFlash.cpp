#include "views/ControlFlash.h"

namespace
{
constexpr int frameStepMs = 40;
constexpr float frameThickness = 4.0f;
const juce::Colour frameColour (0xffffd23f);
} // namespace

//==============================================================================
ControlFlash::ControlFlash()
{
    setInterceptsMouseClicks (false, false);
    setAlwaysOnTop (true);
    setVisible (false);
}

ControlFlash::~ControlFlash() { stopTimer(); }

void ControlFlash::start (juce::Rectangle<int> area)
{
    startMs = juce::Time::getMillisecondCounter();
    strength = 1.0f;
    setBounds (area);
    setVisible (true);
    toFront (false);
    repaint();
    startTimer (frameStepMs);
}

void ControlFlash::stop()
{
    stopTimer();
    setVisible (false);
}

void ControlFlash::paint (juce::Graphics& g)
{
    g.setColour (frameColour.withMultipliedAlpha (strength));
    g.drawRect (getLocalBounds().toFloat().reduced (frameThickness / 2.0f), frameThickness);
}

void ControlFlash::timerCallback()
{
    const auto elapsed = (int) (juce::Time::getMillisecondCounter() - startMs);

    if (elapsed >= durationMs)
    {
        stopTimer();
        setVisible (false);
        return;
    }

    // Full brightness for the first half, then fading to nothing.
    strength = juce::jlimit (0.0f, 1.0f, 2.0f * (1.0f - (float) elapsed / (float) durationMs));
    repaint();
}
