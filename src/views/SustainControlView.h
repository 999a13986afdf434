#pragma once

#include "engine/ZKEditorEngine.h"
#include "widgets/SingleParameterControllerNumberBox.h"

/** The sustain pedal: its channel, controller number and the values sent when it goes down and up.
    Its MIDI-to-DIN button belongs to the sustain bank. */
class SustainControlView : public juce::Component
{
public:
    explicit SustainControlView (ZKEditorEngine::Ptr engine);
    ~SustainControlView() override;

private:
    //==============================================================================
    ZKEditorEngine::Ptr engine;
    std::unique_ptr<juce::Label> title;
    juce::OwnedArray<SingleParameterControllerNumberBox> numberBoxes;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SustainControlView)
};
