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
    juce::OwnedArray<juce::Component> controlViews;

    // A view per control that the engine holds: a view bound to a missing control would crash.
    const auto count = juce::jmin (numKnobs, engine->getControls (ControlType::Knob).size());

    for (int knob = 0; knob < count; ++knob)
        controlViews.add (std::make_unique<KnobControlView> (engine, (juce::uint8) knob));

    setBankItems (controlViews);
    setItemsPerBank (viewsPerBank);
    rebuildBanks();
    setSize (viewWidth, viewHeight);

    // The flag's button stands in the strip above the bank, near the group's tab.
    dinButton = std::make_unique<ControlToMidiControllerButton> (engine, "Knobs Midi To DIN");
    dinButton->setTopLeftPosition (dinButtonPosition);
    addAndMakeVisible (*dinButton);
}

KnobBank::~KnobBank() = default;
