#include "views/PadBank.h"

#include "model/ControlType.h"
#include "views/PadControlView.h"

namespace
{
constexpr int viewsPerBank = 4;
const juce::Point<int> dinButtonPosition{ 405, 0 };
} // namespace

//==============================================================================
PadBank::PadBank (ZKEditorEngine::Ptr engine, int numPads)
    : BankView (true)
{
    auto controlViews = createControlViews<PadControlView> (engine, ControlType::Pad, numPads);
    setUpBanks (controlViews, viewsPerBank);
    dinButton = addDinButton (engine, "Pads Midi To DIN", dinButtonPosition);
}

PadBank::~PadBank() = default;
