#pragma once

#include "views/BankView.h"
#include "views/SustainControlView.h"

/** The sustain pedal, with its MIDI-to-DIN button. */
class SustainBank : public BankView
{
public:
    explicit SustainBank (ZKEditorEngine::Ptr engine)
    {
        setUpBanks (viewsPerBank, std::make_unique<SustainControlView> (engine));
        addDinButton (engine, "Sustain Midi To DIN", dinButtonPosition);
    }

private:
    static constexpr int viewsPerBank = 1;
    static constexpr juce::Point<int> dinButtonPosition{ 1065, 3 };
};
