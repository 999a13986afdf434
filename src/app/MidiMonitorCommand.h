#pragma once

#include "app/MidiMonitorWindow.h"
#include "engine/PresetMessages.h"

#include <juce_gui_basics/juce_gui_basics.h>

class WindowManager;

/** "MIDI Monitor" of the Window menu: opens the program's one monitor window, or brings it to the
    front, and gives its "Meaning" column the preset of the front document window. */
class MidiMonitorCommand
{
public:
    MidiMonitorCommand (MidiManager& manager, std::function<WindowManager*()> getWindowManager, int numKeys);
    ~MidiMonitorCommand();

    /** Brings the window to the front, opening it first when it is not open. */
    void show();

    /** Closes the window when it is open. */
    void close();

    MidiMonitorWindow* getWindow() const { return window.get(); }

    /** What the message means in the preset of the front document window; plainly without one. */
    juce::String describe (const juce::MidiMessage& message);

private:
    /** The front preset is read again at most this often: the list asks for every row it paints. */
    static constexpr juce::uint32 presetRefreshMs = 100;

    MidiManager& manager;
    std::function<WindowManager*()> getWindowManager;
    const int numKeys;
    juce::WeakReference<MidiMonitorWindow> window;

    std::unique_ptr<PresetMessages> frontPreset;
    juce::Array<juce::uint8> frontImage;
    juce::uint32 frontPresetReadAt = 0;
    bool frontPresetRead = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiMonitorCommand)
};
