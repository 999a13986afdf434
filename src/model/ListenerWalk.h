#pragma once

#include <juce_core/juce_core.h>

/** The walk over a listener list that every listening class of the program makes: from the most
    recently added listener to the first. A listener may remove itself or others while it is called:
    the walk follows the list as it was when it began, and calls each of those listeners that is
    still registered exactly once. One added during the walk is first called by the next walk. */
struct ListenerWalk
{
    /** Calls the callback with each listener pointer of the array, newest first. */
    template <typename ListenerArray, typename Callback>
    static void newestFirst (const ListenerArray& listeners, Callback&& callback)
    {
        // A removed listener may be gone already: its pointer is only compared, never followed.
        const auto listenersAtStart = listeners;

        for (int i = listenersAtStart.size(); --i >= 0;)
        {
            auto* listener = listenersAtStart.getUnchecked (i);

            if (listeners.contains (listener))
                callback (listener);
        }
    }
};
