#include "views/SwitchBank.h"

#include "model/ControlType.h"
#include "views/SwitchControlView.h"

namespace
{
constexpr int viewsPerBank = 4;
const juce::Point<int> dinButtonPosition{ 272, 0 };
} // namespace

//==============================================================================
SwitchBank::SwitchBank (ZKEditorEngine::Ptr engine, int numSwitches)
    : BankView (true)
{
    auto controlViews = createControlViews<SwitchControlView> (engine, ControlType::Switch, numSwitches);
    setUpBanks (controlViews, viewsPerBank);
    dinButton = addDinButton (engine, "Switches Midi To DIN", dinButtonPosition);
}

SwitchBank::~SwitchBank() = default;
