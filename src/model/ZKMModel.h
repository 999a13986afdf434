#pragma once

#include "model/PresetLayout.h"

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
    static_assert (splitPointMaximum == PresetLayout::splitPointRange.maximum, "the layout knows the keyboard");

    static constexpr juce::uint8 octaveMaximum = PresetLayout::octaveRange.maximum;

    static constexpr int numKnobs = PresetLayout::getCount (Knob);
    static constexpr int numPads = PresetLayout::getCount (Pad);
    static constexpr int numSwitches = PresetLayout::getCount (Switch);

    /** The controller stores this many presets, slots 0 to 23. */
    static constexpr int numberOfSlots = 24;

    static constexpr int imageLength = PresetLayout::imageLength;

    /** A preset dump, and a preset file, is a ten-byte head (the message head and the slot), the preset
        image and a closing byte. */
    static constexpr int dumpHeadLength = 10;
    static constexpr int dumpLength = dumpHeadLength + imageLength + 1;

    /** The wildcard of preset files. */
    static const char* const filePattern;

    /** The name that begins the name of every backup file: "ZKM Slot 01.zkp". */
    static const char* const modelName;

    /** The embedded default preset dump, dumpLength bytes long. */
    static juce::Array<juce::uint8> getDefaultPresetDump();
};
