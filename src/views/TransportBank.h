#pragma once

#include "engine/ZKEditorEngine.h"
#include "views/BankView.h"
#include "widgets/ControlToMidiControllerButton.h"

/** The six transport buttons on two banks, with the transport's MIDI-to-DIN button. */
class TransportBank : public BankView
{
public:
    explicit TransportBank (ZKEditorEngine::Ptr engine);
    ~TransportBank() override;

private:
    std::unique_ptr<ControlToMidiControllerButton> dinButton;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TransportBank)
};
