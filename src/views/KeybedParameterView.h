#pragma once

#include "engine/ZKEditorEngine.h"
#include "widgets/ControlToMidiControllerButton.h"
#include "widgets/SingleParameterControllerNumberBox.h"

/** The MIDI settings of one keybed zone: "Keybed", "Lower Keybed" or "Upper Keybed". Its widgets show
    short labels and edit the parameters named with the zone word in front. */
class KeybedParameterView : public juce::Component
{
public:
    KeybedParameterView (const juce::String& zoneName, ZKEditorEngine::Ptr engine);
    ~KeybedParameterView() override;

    //==============================================================================
    /** "MIDI Channel", "Transpose", "Octave" and "Curve", in this order. */
    const juce::OwnedArray<SingleParameterControllerNumberBox>& getNumberBoxes() const noexcept { return controllers; }

private:
    //==============================================================================
    ZKEditorEngine::Ptr engine;
    std::unique_ptr<juce::Label> title;
    juce::OwnedArray<SingleParameterControllerNumberBox> controllers;
    std::unique_ptr<ControlToMidiControllerButton> dinButton;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KeybedParameterView)
};
