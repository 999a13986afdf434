#include "app/VirtualControllerPlayer.h"

namespace
{
/** The transport function under which a button toggles. */
const char* const toggleFunction = "Toggle";

/** The byte of the control's block in the image, -1 when the image is short or the byte unknown. */
int readByte (const juce::Array<juce::uint8>& image, ControlType type, int index, int byte)
{
    const auto position = PresetLayout::getOffset (type, index) + byte;
    return byte >= 0 && juce::isPositiveAndBelow (position, image.size()) ? image[position] : -1;
}

bool isWord (PresetLayout::Words words, int value, const char* word)
{
    return juce::isPositiveAndBelow (value, words.size) && juce::String (words.first[value]) == word;
}
} // namespace

//==============================================================================
VirtualControllerPlayer::VirtualControllerPlayer (VirtualController& controllerToPlay)
    : controller (controllerToPlay)
{
}

//==============================================================================
bool VirtualControllerPlayer::isToggle (const ControlRef& control) const
{
    const auto type = (ControlType) control.controlType;
    const auto image = controller.getSlot (getActiveSlot());

    // A control with modes toggles in the mode that the layout says sends a toggled controller.
    if (const auto modeByte = PresetLayout::getModeByte (type); modeByte >= 0)
    {
        const auto mode = readByte (image, type, control.controlIndex, modeByte);
        return PresetLayout::getModeSends (type, mode) == PresetLayout::ModeSends::controllerToggle;
    }

    if (type == Transport)
    {
        const auto* function = PresetLayout::findParameter (Transport, "Function");

        return function != nullptr
               && isWord (function->valueNames, readByte (image, type, control.controlIndex, function->byte),
                          toggleFunction);
    }

    return false;
}

bool VirtualControllerPlayer::isOn (const ControlRef& control) const
{
    if (toggleSlot != getActiveSlot())
        return false;

    const auto found = toggles.find ({ control.controlType, control.controlIndex });
    return found != toggles.end() && found->second;
}

//==============================================================================
std::vector<juce::MidiMessage> VirtualControllerPlayer::press (const ControlRef& control, int velocity)
{
    if (! isToggle (control))
        return play (control, Gesture::Kind::press, juce::jlimit (1, 127, velocity));

    forgetTogglesOfAnotherSlot();
    auto& on = toggles[{ control.controlType, control.controlIndex }];
    on = ! on;
    return play (control, Gesture::Kind::press, on ? 1 : 0);
}

std::vector<juce::MidiMessage> VirtualControllerPlayer::release (const ControlRef& control)
{
    if (isToggle (control))
        return {};

    return play (control, Gesture::Kind::release, 0);
}

std::vector<juce::MidiMessage> VirtualControllerPlayer::turn (const ControlRef& control, int position)
{
    return play (control, Gesture::Kind::turn, juce::jlimit (0, 127, position));
}

std::vector<juce::MidiMessage> VirtualControllerPlayer::pressure (const ControlRef& control, int value)
{
    return play (control, Gesture::Kind::pressure, juce::jlimit (0, 127, value));
}

std::vector<juce::MidiMessage> VirtualControllerPlayer::key (int keyIndex, bool down)
{
    ControlRef keybed;
    keybed.controlType = Keybed;
    return play (keybed, down ? Gesture::Kind::keyDown : Gesture::Kind::keyUp, keyIndex);
}

//==============================================================================
std::vector<juce::MidiMessage> VirtualControllerPlayer::play (const ControlRef& control, Gesture::Kind kind, int value)
{
    const auto image = controller.getSlot (getActiveSlot());

    if (image.size() != VirtualController::imageLength)
        return {};

    Gesture gesture;
    gesture.kind = kind;
    gesture.value = value;
    const auto messages = PresetMessages (image).play (control, gesture);

    for (const auto& message : messages)
        controller.play (message);

    return messages;
}

void VirtualControllerPlayer::forgetTogglesOfAnotherSlot()
{
    // A preset of another slot starts with every toggle off, as the controller's lights do.
    if (toggleSlot != getActiveSlot())
    {
        toggles.clear();
        toggleSlot = getActiveSlot();
    }
}
