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
    juce::OwnedArray<juce::Component> controlViews;

    // A view per control that the engine holds: a view bound to a missing control would crash.
    const auto count = juce::jmin (numPads, engine->getControls (ControlType::Pad).size());

    for (int pad = 0; pad < count; ++pad)
        controlViews.add (std::make_unique<PadControlView> (engine, (juce::uint8) pad));

    setBankItems (controlViews);
    setItemsPerBank (viewsPerBank);
    rebuildBanks();
    setSize (viewWidth, viewHeight);

    // The flag's button stands in the strip above the bank, near the group's tab.
    dinButton = std::make_unique<ControlToMidiControllerButton> (engine, "Pads Midi To DIN");
    dinButton->setTopLeftPosition (dinButtonPosition);
    addAndMakeVisible (*dinButton);
}

PadBank::~PadBank() = default;
