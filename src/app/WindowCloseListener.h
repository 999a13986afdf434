#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Hears that a document window is to close. The listener may delete the window during the call. */
class WindowCloseListener
{
public:
    virtual void windowClosed (juce::Component* window) = 0;
    virtual ~WindowCloseListener() = default;
};
