#include "engine/DeviceSettings.h"

#include <iostream>

namespace
{
const char* const configFolderVariable = "XDG_CONFIG_HOME";
const char* const applicationFolderName = "zkm-editor";
const char* const settingsFileName = "settings.xml";
const char* const damagedCopySuffix = ".damaged";

const char* const inputNameKey = "midiInput";
const char* const outputNameKey = "midiOutput";
const char* const verifyAfterSendKey = "verifyAfterSend";

void note (const juce::String& text) { std::cerr << "ZKM Editor: " << text << std::endl; }

juce::PropertiesFile::Options createOptions()
{
    juce::PropertiesFile::Options options;
    options.storageFormat = juce::PropertiesFile::storeAsXML;

    // Written when a value is set, so that a failure can be noted at once.
    options.millisecondsBeforeSaving = -1;
    return options;
}
} // namespace

//==============================================================================
DeviceSettings::DeviceSettings (const juce::File& fileToUse)
    : file (fileToUse)
    , properties (std::make_unique<juce::PropertiesFile> (fileToUse, createOptions()))
{
    // The properties file reads itself on construction and reports a file that exists but could
    // not be read (no permission, not XML, not a settings file) as invalid.
    if (! properties->isValidFile())
    {
        fileWasDamaged = true;
        note ("the settings file " + file.getFullPathName()
              + " could not be read; starting without remembered MIDI devices");
    }
}

DeviceSettings::~DeviceSettings() = default;

juce::File DeviceSettings::getDefaultFile()
{
    const auto configured = juce::SystemStats::getEnvironmentVariable (configFolderVariable, {});

    // Relative paths in the variable are not valid and are ignored, as Linux desktops do.
    const auto configFolder =
        juce::File::isAbsolutePath (configured) ? juce::File (configured) : juce::File ("~/.config");

    return configFolder.getChildFile (applicationFolderName).getChildFile (settingsFileName);
}

//==============================================================================
juce::String DeviceSettings::getInputName() const { return properties->getValue (inputNameKey); }

juce::String DeviceSettings::getOutputName() const { return properties->getValue (outputNameKey); }

bool DeviceSettings::setDeviceNames (const juce::String& inputName, const juce::String& outputName)
{
    properties->setValue (inputNameKey, inputName);
    properties->setValue (outputNameKey, outputName);
    return save();
}

bool DeviceSettings::getVerifyAfterSend() const { return properties->getBoolValue (verifyAfterSendKey, true); }

bool DeviceSettings::setVerifyAfterSend (bool shouldVerify)
{
    properties->setValue (verifyAfterSendKey, shouldVerify);
    return save();
}

//==============================================================================
bool DeviceSettings::save()
{
    // A damaged file is kept beside the new one rather than lost.
    if (fileWasDamaged && file.existsAsFile())
    {
        const auto copy = file.getSiblingFile (file.getFileName() + damagedCopySuffix);

        if (file.moveFileTo (copy))
            note ("the unreadable settings file was kept as " + copy.getFullPathName());

        fileWasDamaged = false;
    }

    if (properties->save())
        return true;

    note ("the settings file " + file.getFullPathName() + " could not be written; the MIDI devices are not remembered");
    return false;
}
