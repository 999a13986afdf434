#pragma once

#include <juce_core/juce_core.h>

/** The walk over a listener list that every listening class of the program makes: from the most
    recently added listener to the first. The position is clamped to the list's current size before
    each call, so a listener may remove itself or others while it is called: the walk goes on with
    the remaining lower positions and never reads past the end. */
struct ListenerWalk
{
    /** Calls the callback with each listener pointer of the array, newest first. */
    template <typename ListenerArray, typename Callback>
    static void newestFirst (const ListenerArray& listeners, Callback&& callback)
    {
        for (int i = listeners.size(); --i >= 0;)
        {
            i = juce::jmin (i, listeners.size() - 1);

            if (i < 0)
                break;

            callback (listeners.getUnchecked (i));
        }
    }
};
