#pragma once

#include "engine/ZKEditorEngine.h"
#include "views/BankView.h"

/** The roll mode on a single bank; the roll mode has no MIDI-to-DIN flag. */
class RollModeBank : public BankView
{
public:
    explicit RollModeBank (ZKEditorEngine::Ptr engine);
    ~RollModeBank() override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RollModeBank)
};
