#pragma once

#include "app/VirtualControllerPanel.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** "Virtual Controller": the panel on which the virtual controller is played, one window for the
    program. It deletes itself when closed, and is held by weak reference. The controller must
    outlive it. */
class VirtualControllerWindow : public juce::DocumentWindow
{
public:
    explicit VirtualControllerWindow (VirtualController& controller);

    VirtualControllerPanel& getPanel() const;

    void closeButtonPressed() override;

    static const char* getTitle() noexcept { return "Virtual Controller"; }

private:
    JUCE_DECLARE_WEAK_REFERENCEABLE (VirtualControllerWindow)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VirtualControllerWindow)
};
