#include "views/TransportBank.h"

#include "engine/ParameterDescriptions.h"
#include "model/PresetLayout.h"
#include "views/TransportControlView.h"

namespace
{
constexpr int viewsPerBank = 4;

// Rewind, Fast Forward, Stop, Play, Loop and Record: button i edits transport control i.
constexpr int numButtons = PresetLayout::getCount (ControlType::Transport);
const juce::Point<int> dinButtonPosition{ 670, 3 };
} // namespace

//==============================================================================
TransportBank::TransportBank (ZKEditorEngine::Ptr engine)
{
    juce::OwnedArray<juce::Component> controlViews;

    for (int button = 0; button < numButtons; ++button)
        controlViews.add (std::make_unique<TransportControlView> (
            engine, (unsigned int) button, ParameterDescriptions::getControlName (ControlType::Transport, button)));

    setUpBanks (controlViews, viewsPerBank);
    addDinButton (engine, "Transport Midi To DIN", dinButtonPosition);
}
