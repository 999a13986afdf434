#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The windows of the program that are built around one component of their own: the dialogs and
    the Slots, Check Preset, Compare, MIDI Monitor and Virtual Controller windows. */
namespace ContentWindow
{
/** Gives the window the native title bar and the content, which it owns, and shows it in the
    middle of the screen at the content's size. */
inline void show (juce::ResizableWindow& window, juce::Component* content, bool resizable)
{
    // Built off the desktop and put there once: on the desktop, each change of title bar or
    // resizability below replaces the native window, and one of them was shown for a moment and
    // destroyed, so that a window found on the screen then vanished under the user's pointer.
    window.removeFromDesktop();
    window.setUsingNativeTitleBar (true); // first: the window then fits the content without a border
    window.setContentOwned (content, true);
    window.setResizable (resizable, false);
    window.centreWithSize (content->getWidth(), content->getHeight());
    window.addToDesktop();
    window.setVisible (true);
}
} // namespace ContentWindow
