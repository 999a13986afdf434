#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** A control of the virtual controller's panel that is turned by dragging up and down: a knob,
    drawn as a cap with a pointer, or a wheel, drawn as a wheel in its slot. The pitch wheel springs
    back to its centre when let go. Positions run 0 to 127. */
class VirtualControllerDial : public juce::Component
{
public:
    enum class Style
    {
        knob,
        wheel,
        springWheel
    };

    VirtualControllerDial (const juce::String& name, Style style, int initialPosition);

    /** Called with each new position while it is dragged, and with the centre when a spring wheel
        is let go. */
    std::function<void (int position)> onTurn;

    int getPosition() const noexcept { return position; }

    //==============================================================================
    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& event) override;
    void mouseDrag (const juce::MouseEvent& event) override;
    void mouseUp (const juce::MouseEvent& event) override;

    static constexpr int maximumPosition = 127;
    static constexpr int centrePosition = 64;

private:
    void moveTo (int newPosition);
    void paintKnob (juce::Graphics& g);
    void paintWheel (juce::Graphics& g);

    const Style style;
    int position;
    int dragStartPosition = 0;
    float dragStartY = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VirtualControllerDial)
};
