#include "views/WheelBank.h"

#include "views/ModWheelView.h"
#include "views/PitchWheelView.h"

namespace
{
constexpr int viewsPerBank = 2;
} // namespace

//==============================================================================
WheelBank::WheelBank (ZKEditorEngine::Ptr engine)
    : BankView (true)
{
    juce::OwnedArray<juce::Component> controlViews;

    controlViews.add (std::make_unique<ModWheelView> (engine));
    controlViews.add (std::make_unique<PitchWheelView> (engine));
    setUpBanks (controlViews, viewsPerBank);
}

WheelBank::~WheelBank() = default;
