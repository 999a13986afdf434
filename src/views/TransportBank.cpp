#include "views/TransportBank.h"

#include "engine/ParameterDescriptions.h"
#include "model/ControlType.h"
#include "views/TransportControlView.h"

namespace
{
constexpr int viewsPerBank = 4;

// Rewind, Fast Forward, Stop, Play, Loop and Record: button i edits transport control i.
constexpr int numButtons = 6;
const juce::Point<int> dinButtonPosition{ 670, 0 };
} // namespace

//==============================================================================
TransportBank::TransportBank (ZKEditorEngine::Ptr engine)
    : BankView (true)
{
    juce::OwnedArray<juce::Component> controlViews;

    for (int button = 0; button < numButtons; ++button)
        controlViews.add (
            std::make_unique<TransportControlView> (engine, (unsigned int) button, getButtonName (button)));

    setUpBanks (controlViews, viewsPerBank);
    dinButton = addDinButton (engine, "Transport Midi To DIN", dinButtonPosition);
}

TransportBank::~TransportBank() = default;

juce::String TransportBank::getButtonName (int index)
{
    return juce::isPositiveAndBelow (index, numButtons)
               ? ParameterDescriptions::getControlName (ControlType::Transport, index)
               : juce::String();
}
