#include "views/RollModeBank.h"

#include "views/RollModeControlView.h"

namespace
{
constexpr int viewsPerBank = 1;
} // namespace

//==============================================================================
RollModeBank::RollModeBank (ZKEditorEngine::Ptr engine)
    : BankView (true)
{
    juce::OwnedArray<juce::Component> controlViews;
    controlViews.add (std::make_unique<RollModeControlView> (engine));
    setUpBanks (controlViews, viewsPerBank);
}

RollModeBank::~RollModeBank() = default;
