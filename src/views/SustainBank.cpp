#include "views/SustainBank.h"

#include "views/SustainControlView.h"

namespace
{
constexpr int viewsPerBank = 1;
const juce::Point<int> dinButtonPosition{ 1065, 0 };
} // namespace

//==============================================================================
SustainBank::SustainBank (ZKEditorEngine::Ptr engine)
    : BankView (true)
{
    juce::OwnedArray<juce::Component> controlViews;

    controlViews.add (std::make_unique<SustainControlView> (engine));

    setBankItems (controlViews);
    setItemsPerBank (viewsPerBank);
    rebuildBanks();
    setSize (viewWidth, viewHeight);

    // The flag's button stands in the strip above the bank, near the group's tab.
    dinButton = std::make_unique<ControlToMidiControllerButton> (engine, "Sustain Midi To DIN");
    dinButton->setTopLeftPosition (dinButtonPosition);
    addAndMakeVisible (*dinButton);
}

SustainBank::~SustainBank() = default;
