#pragma once

#include "engine/PresetMessages.h"
#include "engine/VirtualController.h"

#include <map>
#include <vector>

/** Plays the virtual controller as its panel is played: each gesture sends what the preset of the
    controller's active slot assigns to the control, read afresh from the slot at every gesture so
    that a Send or a Live Edit is heard at once. It keeps the state of every toggle, which starts
    off again whenever another slot becomes active. Message thread. */
class VirtualControllerPlayer
{
public:
    using ControlRef = PresetMessages::ControlRef;
    using Gesture = PresetMessages::Gesture;

    explicit VirtualControllerPlayer (VirtualController& controller);

    //==============================================================================
    VirtualController& getController() const noexcept { return controller; }

    /** The slot whose preset playing uses, 0 to 23. */
    int getActiveSlot() const { return controller.getActiveSlot(); }
    void setActiveSlot (int slot) { controller.setActiveSlot (slot); }

    /** Whether the control is a toggle in the active slot's preset: a pad or switch in "CC Toggle"
        mode or a transport button whose function is "Toggle". */
    bool isToggle (const ControlRef& control) const;

    /** Whether a toggle is on now. */
    bool isOn (const ControlRef& control) const;

    //==============================================================================
    /** A press: a toggle turns over and sends its on or off value, any other control sends its
        press with that velocity (1 to 127). Returns what was sent. */
    std::vector<juce::MidiMessage> press (const ControlRef& control, int velocity);

    /** A release: nothing for a toggle, which stays as it is until pressed again. */
    std::vector<juce::MidiMessage> release (const ControlRef& control);

    /** A knob or wheel turned to that position, 0 to 127. */
    std::vector<juce::MidiMessage> turn (const ControlRef& control, int position);

    /** The pressure on a held pad, 0 to 127. */
    std::vector<juce::MidiMessage> pressure (const ControlRef& control, int value);

    /** A key of the keybed, 0 to numKeys - 1 from the left, going down or up. */
    std::vector<juce::MidiMessage> key (int keyIndex, bool down);

private:
    //==============================================================================
    std::vector<juce::MidiMessage> play (const ControlRef& control, PresetMessages::Gesture::Kind kind, int value);
    void forgetTogglesOfAnotherSlot();

    VirtualController& controller;

    // Keyed by (control type, index); kept for the slot that was active when they were set.
    std::map<std::pair<int, int>, bool> toggles;
    int toggleSlot = -1;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VirtualControllerPlayer)
};
