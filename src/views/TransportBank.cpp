#include "views/TransportBank.h"

#include "views/TransportControlView.h"

namespace
{
constexpr int viewsPerBank = 4;

// In the order of the transport controls: button i edits transport control i.
const char* const buttonNames[] = { "Rewind", "Fast Forward", "Stop", "Play", "Loop", "Record" };
const juce::Point<int> dinButtonPosition{ 670, 0 };
} // namespace

//==============================================================================
TransportBank::TransportBank (ZKEditorEngine::Ptr engine)
    : BankView (true)
{
    juce::OwnedArray<juce::Component> controlViews;

    for (unsigned int button = 0; button < std::size (buttonNames); ++button)
        controlViews.add (std::make_unique<TransportControlView> (engine, button, buttonNames[button]));

    setBankItems (controlViews);
    setItemsPerBank (viewsPerBank);
    rebuildBanks();
    setSize (viewWidth, viewHeight);

    // The flag's button stands in the strip above the bank, near the group's tab.
    dinButton = std::make_unique<ControlToMidiControllerButton> (engine, "Transport Midi To DIN");
    dinButton->setTopLeftPosition (dinButtonPosition);
    addAndMakeVisible (*dinButton);
}

TransportBank::~TransportBank() = default;

juce::String TransportBank::getButtonName (int index)
{
    return juce::isPositiveAndBelow (index, (int) std::size (buttonNames)) ? juce::String (buttonNames[index])
                                                                           : juce::String();
}
