#pragma once

#include "app/VirtualControllerWindow.h"
#include "engine/MidiManager.h"

/** "Virtual Controller" of the Window menu: available while the program's devices include the
    virtual controller (ZKM_EDITOR_VIRTUAL_CONTROLLER set), it brings the window of its panel to the
    front, opening it first. While it lives, a virtual controller that cannot save its slots to its
    file says so in a "Virtual Controller" notice, once per run of failed saves. The manager must
    outlive it; the window goes with it. */
class VirtualControllerCommand
{
public:
    explicit VirtualControllerCommand (MidiManager& manager);
    ~VirtualControllerCommand();

    /** Whether the program has a virtual controller to play. */
    bool isAvailable() const noexcept { return controller != nullptr; }

    /** Opens or fronts the window; does nothing without a virtual controller. */
    void showWindow();
    void closeWindow();

    VirtualControllerWindow* getWindow() const { return window.get(); }

    /** The title of the notice of a failed save. */
    static juce::String getSaveFailureTitle() { return "Virtual Controller"; }

private:
    VirtualController* controller;
    juce::WeakReference<VirtualControllerWindow> window;

    JUCE_DECLARE_WEAK_REFERENCEABLE (VirtualControllerCommand)

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VirtualControllerCommand)
};
