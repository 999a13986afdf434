#include "views/ViewSelector.h"

#include "model/ListenerWalk.h"

ViewSelector::~ViewSelector() = default;

//==============================================================================
void ViewSelector::buttonClicked (juce::Button* button)
{
    for (const auto& [viewIndex, boundButton] : bindings)
    {
        if (boundButton != button)
            continue;

        // The last added hears first. A listener that adds another while it is told does not make
        // the newcomer hear this click.
        const auto toTell = listeners;
        const auto selected = viewIndex; // a structured binding cannot be captured in C++17

        ListenerWalk::newestFirst (toTell, [selected] (auto* listener) { listener->viewSelected (selected); });
    }
}

void ViewSelector::setSelectedView (int viewIndex)
{
    for (const auto& [boundIndex, button] : bindings)
        button->setToggleState (boundIndex == viewIndex, juce::dontSendNotification);
}

void ViewSelector::addSelectorButton (int viewIndex, std::unique_ptr<juce::Button> button)
{
    auto* added = buttons.add (std::move (button));
    bindings.emplace_back (viewIndex, added);
}

void ViewSelector::addListener (Listener* listener)
{
    if (listener != nullptr)
        listeners.addIfNotAlreadyThere (listener);
}
