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
    juce::OwnedArray<juce::Component> controlViews;

    // A view per control that the engine holds: a view bound to a missing control would crash.
    const auto count = juce::jmin (numSwitches, engine->getControls (ControlType::Switch).size());

    for (int switchIndex = 0; switchIndex < count; ++switchIndex)
        controlViews.add (std::make_unique<SwitchControlView> (engine, (juce::uint8) switchIndex));

    setBankItems (controlViews);
    setItemsPerBank (viewsPerBank);
    rebuildBanks();
    setSize (viewWidth, viewHeight);

    // The flag's button stands in the strip above the bank, near the group's tab.
    dinButton = std::make_unique<ControlToMidiControllerButton> (engine, "Switches Midi To DIN");
    dinButton->setTopLeftPosition (dinButtonPosition);
    addAndMakeVisible (*dinButton);
}

SwitchBank::~SwitchBank() = default;
