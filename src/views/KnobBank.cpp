#include "views/KnobBank.h"

#include "model/ControlType.h"
#include "views/KnobControlView.h"

namespace
{
constexpr int viewsPerBank = 4;
const juce::Point<int> dinButtonPosition{ 140, 0 };
} // namespace

//==============================================================================
KnobBank::KnobBank (ZKEditorEngine::Ptr engine, int numKnobs)
    : BankView (true)
{
    auto controlViews = createControlViews<KnobControlView> (engine, ControlType::Knob, numKnobs);
    setUpBanks (controlViews, viewsPerBank);
    dinButton = addDinButton (engine, "Knobs Midi To DIN", dinButtonPosition);
}

KnobBank::~KnobBank() = default;
