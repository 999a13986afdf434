#pragma once

#include "engine/ZKEditorEngine.h"
#include "views/BankView.h"
#include "widgets/ControlToMidiControllerButton.h"

/** The drum pads, four per bank, with the pads' MIDI-to-DIN button. */
class PadBank : public BankView
{
public:
    PadBank (ZKEditorEngine::Ptr engine, int numPads);
    ~PadBank() override;

private:
    std::unique_ptr<ControlToMidiControllerButton> dinButton;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PadBank)
};
