#pragma once

#include "engine/MidiDeviceLayer.h"

/** The operating system's MIDI devices, through JUCE's MidiInput and MidiOutput. Devices are listed
    by name; a machine without MIDI lists nothing. */
class SystemMidiDeviceLayer : public MidiDeviceLayer
{
public:
    SystemMidiDeviceLayer() = default;

    //==============================================================================
    juce::StringArray getInputNames() override;
    juce::StringArray getOutputNames() override;
    std::unique_ptr<Input> openInput (int index, juce::MidiInputCallback& callback) override;
    std::unique_ptr<Output> openOutput (int index) override;

    /** On Linux, whether the ALSA sequencer device exists. */
    bool isMidiServiceAvailable() override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SystemMidiDeviceLayer)
};
