#pragma once

#include "engine/DeviceSettings.h"

#include <juce_data_structures/juce_data_structures.h>

/** The folders that a window remembers between runs, as a property set: it starts with what the
    settings file holds under those keys, and every change is written through to the file. Without
    settings (no file could be read) the folders are kept for this run only. */
class FolderSettings : public juce::PropertySet
{
public:
    FolderSettings (DeviceSettings* settingsToUse, const juce::StringArray& keysToKeep)
        : settings (settingsToUse)
        , keys (keysToKeep)
    {
        if (settings != nullptr)
            for (const auto& key : keys)
                if (settings->getFolder (key) != juce::File())
                    setValue (key, settings->getFolder (key).getFullPathName());
    }

    void propertyChanged() override
    {
        if (settings == nullptr)
            return;

        for (const auto& key : keys)
            if (containsKey (key) && settings->getFolder (key) != juce::File (getValue (key)))
                settings->setFolder (key, juce::File (getValue (key)));
    }

private:
    DeviceSettings* const settings;
    const juce::StringArray keys;
};
