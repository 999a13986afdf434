#pragma once

#include "engine/ZKEditorEngine.h"
#include "widgets/ControlToMidiControllerButton.h"
#include "widgets/SingleParameterControllerComboBox.h"

/** The pitch wheel: its channel and its MIDI-to-DIN flag. */
class PitchWheelView : public juce::Component
{
public:
    explicit PitchWheelView (ZKEditorEngine::Ptr engine);
    ~PitchWheelView() override;

private:
    //==============================================================================
    ZKEditorEngine::Ptr engine;
    std::unique_ptr<juce::Label> title;
    std::unique_ptr<SingleParameterControllerComboBox> channelBox;
    std::unique_ptr<ControlToMidiControllerButton> dinButton;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PitchWheelView)
};
