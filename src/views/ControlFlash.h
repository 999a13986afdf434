#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A bright frame drawn over one control's view for a second, fading out, to show the user which
    control was meant; then it hides. It lets every mouse event through to the view under it. */
class ControlFlash
    : public juce::Component
    , private juce::Timer
{
public:
    static constexpr int durationMs = 1000;

    ControlFlash();
    ~ControlFlash() override;

    /** Starts (or starts again) the frame over that area of the parent. */
    void start (juce::Rectangle<int> area);

    /** Hides the frame at once. */
    void stop();

    /** True from start until the frame has faded away. */
    bool isFlashing() const noexcept { return isVisible(); }

    void paint (juce::Graphics& g) override;

private:
    void timerCallback() override;

    juce::uint32 startMs = 0;
    float strength = 1.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ControlFlash)
};
