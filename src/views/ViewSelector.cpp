#include "views/ViewSelector.h"

ViewSelector::~ViewSelector() = default;

//==============================================================================
void ViewSelector::buttonClicked (juce::Button* button)
{
    for (const auto& [viewIndex, boundButton] : bindings)
    {
        if (boundButton != button)
            continue;

        // A listener may add others while it is told; the position is kept inside the list.
        for (auto i = listeners.size(); --i >= 0;)
        {
            i = juce::jmin (i, listeners.size() - 1);

            if (i >= 0)
                listeners.getUnchecked (i)->viewSelected (viewIndex);
        }
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
