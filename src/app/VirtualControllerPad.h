#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** A control of the virtual controller's panel that is pressed: a drum pad, a switch, a transport
    button or the sustain pedal. A pad plays harder the nearer its top it is hit, and while the mouse
    holds it down its pressure rises, for aftertouch. It lights while pressed, or while the panel
    says it is on (a toggle). */
class VirtualControllerPad
    : public juce::Component
    , private juce::Timer
{
public:
    enum class Style
    {
        pad,
        switchKey,
        transport,
        pedal
    };

    VirtualControllerPad (const juce::String& name, Style style);

    /** Called with the velocity, 1 to 127, when it goes down. */
    std::function<void (int velocity)> onPress;
    std::function<void()> onRelease;

    /** Called with the rising pressure while a pad is held, and with 0 when it is let go. */
    std::function<void (int pressure)> onPressure;

    /** Lights it while it is not held, for a toggle that is on. */
    void setOn (bool shouldBeOn);
    bool isLit() const noexcept { return held || on; }

    /** Lets go of it as the mouse would, when it is held. */
    void releaseIfHeld();

    //==============================================================================
    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& event) override;
    void mouseUp (const juce::MouseEvent& event) override;

    /** How often the pressure of a held pad rises, and by how much each time. */
    static constexpr int pressureIntervalMs = 60;
    static constexpr int pressureStep = 8;

private:
    void timerCallback() override;

    const Style style;
    bool held = false;
    bool on = false;
    int pressure = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VirtualControllerPad)
};
