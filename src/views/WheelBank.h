#pragma once

#include "engine/ZKEditorEngine.h"
#include "views/BankView.h"

/** The mod and pitch wheels on one bank; each wheel view has its own MIDI-to-DIN button. */
class WheelBank : public BankView
{
public:
    explicit WheelBank (ZKEditorEngine::Ptr engine);
    ~WheelBank() override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WheelBank)
};
