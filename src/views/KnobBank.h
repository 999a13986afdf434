#pragma once

#include "engine/ZKEditorEngine.h"
#include "views/BankView.h"
#include "widgets/ControlToMidiControllerButton.h"

/** The knobs, four per bank, with the knobs' MIDI-to-DIN button. */
class KnobBank : public BankView
{
public:
    KnobBank (ZKEditorEngine::Ptr engine, int numKnobs);
    ~KnobBank() override;

private:
    std::unique_ptr<ControlToMidiControllerButton> dinButton;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KnobBank)
};
