#pragma once

#include "engine/ZKEditorEngine.h"
#include "widgets/ControlToMidiControllerButton.h"
#include "widgets/SingleParameterControllerComboBox.h"
#include "widgets/SingleParameterControllerNumberBox.h"

/** The modulation wheel: its channel, controller number, range and MIDI-to-DIN flag. */
class ModWheelView : public juce::Component
{
public:
    explicit ModWheelView (ZKEditorEngine::Ptr engine);
    ~ModWheelView() override;

private:
    //==============================================================================
    ZKEditorEngine::Ptr engine;
    std::unique_ptr<juce::Label> title;
    std::unique_ptr<SingleParameterControllerComboBox> channelBox;
    std::unique_ptr<SingleParameterControllerNumberBox> ccBox;
    std::unique_ptr<SingleParameterControllerNumberBox> minimumBox;
    std::unique_ptr<SingleParameterControllerNumberBox> maximumBox;
    std::unique_ptr<ControlToMidiControllerButton> dinButton;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ModWheelView)
};
