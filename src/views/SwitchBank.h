#pragma once

#include "engine/ZKEditorEngine.h"
#include "views/BankView.h"
#include "widgets/ControlToMidiControllerButton.h"

/** The switches, four per bank, with the switches' MIDI-to-DIN button. */
class SwitchBank : public BankView
{
public:
    SwitchBank (ZKEditorEngine::Ptr engine, int numSwitches);
    ~SwitchBank() override;

private:
    std::unique_ptr<ControlToMidiControllerButton> dinButton;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SwitchBank)
};
