#include "views/SustainBank.h"

#include "views/SustainControlView.h"

namespace
{
constexpr int viewsPerBank = 1;
const juce::Point<int> dinButtonPosition{ 1065, 3 };
} // namespace

//==============================================================================
SustainBank::SustainBank (ZKEditorEngine::Ptr engine)
    : BankView (true)
{
    juce::OwnedArray<juce::Component> controlViews;
    controlViews.add (std::make_unique<SustainControlView> (engine));
    setUpBanks (controlViews, viewsPerBank);

    dinButton = addDinButton (engine, "Sustain Midi To DIN", dinButtonPosition);
}

SustainBank::~SustainBank() = default;
