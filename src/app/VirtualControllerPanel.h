#pragma once

#include "app/VirtualControllerDial.h"
#include "app/VirtualControllerKeyboard.h"
#include "app/VirtualControllerPad.h"
#include "app/VirtualControllerPlayer.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The virtual controller drawn as the controller and played with the mouse: its knobs, pads,
    switches, transport buttons, wheels, sustain pedal and keyboard strip, and a box for the slot
    whose preset they play. Each control is a child named as the editor names it ("Knob 3", "Pad 5",
    "Switch 12", "Play", "Pitch Wheel", "Mod Wheel", "Sustain Pedal", "Key 25"). The slot box follows
    the controller when a Send or a Live Edit makes another slot active. The controller must outlive
    the panel. */
class VirtualControllerPanel
    : public juce::Component
    , private juce::Timer
{
public:
    explicit VirtualControllerPanel (VirtualController& controller);
    ~VirtualControllerPanel() override;

    VirtualControllerPlayer& getPlayer() noexcept { return player; }

    /** The box of the active slot, entries "Slot 1" to "Slot 24". */
    juce::ComboBox& getSlotBox() noexcept { return slotBox; }

    /** Brings the slot box and the toggles' lights up to date with the controller now, as the
        panel's timer does a few times a second. */
    void followController();

    //==============================================================================
    void paint (juce::Graphics& g) override;
    void resized() override;

    /** How often the panel looks for another active slot. */
    static constexpr int followIntervalMs = 200;

private:
    using ControlRef = PresetMessages::ControlRef;

    //==============================================================================
    void timerCallback() override { followController(); }

    VirtualControllerDial& addDial (ControlType type, int index, const juce::String& name,
                                    VirtualControllerDial::Style style);
    VirtualControllerPad& addPad (ControlType type, int index, const juce::String& name,
                                  VirtualControllerPad::Style style);
    void showToggles();

    static ControlRef refOf (ControlType type, int index);

    //==============================================================================
    VirtualControllerPlayer player;
    juce::Label slotLabel{ {}, "Slot" };
    juce::ComboBox slotBox{ "Slot" };
    int shownSlot = -1;

    juce::OwnedArray<VirtualControllerDial> knobs;
    juce::OwnedArray<VirtualControllerPad> pads, switches, transport;
    std::unique_ptr<VirtualControllerDial> pitchWheel, modWheel;
    std::unique_ptr<VirtualControllerPad> sustainPedal;
    VirtualControllerKeyboard keyboard;

    // Each pressable control with the control it plays, for the toggles' lights.
    juce::Array<std::pair<VirtualControllerPad*, ControlRef>> pressables;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VirtualControllerPanel)
};
