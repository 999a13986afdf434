#pragma once

#include "engine/ZKEditorEngine.h"
#include "views/BankView.h"
#include "widgets/ControlToMidiControllerButton.h"

/** The sustain pedal, with its MIDI-to-DIN button. */
class SustainBank : public BankView
{
public:
    explicit SustainBank (ZKEditorEngine::Ptr engine);
    ~SustainBank() override;

private:
    std::unique_ptr<ControlToMidiControllerButton> dinButton;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SustainBank)
};
