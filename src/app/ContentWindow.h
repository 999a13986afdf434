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
    // The native title bar first: the window then fits the content without a border of its own.
    window.setUsingNativeTitleBar (true);
    window.setContentOwned (content, true);
    window.setResizable (resizable, false);
    window.centreWithSize (content->getWidth(), content->getHeight());
    window.setVisible (true);
}
} // namespace ContentWindow
