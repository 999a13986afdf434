#pragma once

#include <juce_core/juce_core.h>

/** What makes the ZKM one model of its family: its device ID, its keys and controls, its slots, the
    sizes of its preset image and dump, its file pattern and its default preset. The application,
    the virtual controller, the tests, benchmarks and fuzz targets all take them from here. */
struct ZKMModel
{
    /** The SysEx device ID of every message to and from the controller. */
    static constexpr juce::uint8 deviceId = 0x40;

    static constexpr juce::uint8 numKeys = 61;

    /** The highest split point: the number of keys less one. */
    static constexpr juce::uint8 splitPointMaximum = numKeys - 1;

    static constexpr juce::uint8 octaveMaximum = 10;

    static constexpr int numKnobs = 16;
    static constexpr int numPads = 16;
    static constexpr int numSwitches = 48;

    /** The controller stores this many presets, slots 0 to 23. */
    static constexpr int numberOfSlots = 24;

    /** A preset dump, and a preset file: five bytes per knob, pad and switch and 76 for the rest. */
    static constexpr int dumpLength = 5 * (numKnobs + numPads + numSwitches) + 76;

    /** The dump is a ten-byte head, the preset image and a closing byte. */
    static constexpr int dumpHeadLength = 10;
    static constexpr int imageLength = dumpLength - dumpHeadLength - 1;

    /** The wildcard of preset files. */
    static const char* const filePattern;

    /** The name that begins the name of every backup file: "ZKM Slot 01.zkp". */
    static const char* const modelName;

    /** The embedded default preset dump, dumpLength bytes long. */
    static juce::Array<juce::uint8> getDefaultPresetDump();
};
