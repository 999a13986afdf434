#include "engine/DeviceSettings.h"

#include <cstring>
#include <iostream>
#include <string>

namespace
{
const char* const configFolderVariable = "XDG_CONFIG_HOME";
const char* const applicationFolderName = "zkm-editor";
const char* const settingsFileName = "settings.xml";
const char* const damagedCopySuffix = ".damaged";

const char* const inputNameKey = "midiInput";
const char* const outputNameKey = "midiOutput";
const char* const verifyAfterSendKey = "verifyAfterSend";
const char* const sendChangesOnlyKey = "sendChangesOnly";
const char* const followControllerKey = "followController";
const char* const checkBeforeSendKey = "checkBeforeSend";
const char* const zoomKey = "zoomPercent";

void note (const juce::String& text) { std::cerr << "ZKM Editor: " << text << std::endl; }

/** What makes a settings file unsafe to hand to the XML parser, which recurses once per nested
    element (a file of a few hundred kilobytes can overflow the stack); empty for a file that is
    safe to read, or that does not exist. Only the shape is checked: what it says is the parser's. */
juce::String findUnsafeShape (const juce::File& file)
{
    // The settings are a few lines: PROPERTIES holding VALUE elements.
    constexpr juce::int64 largestSettingsFile = 64 * 1024;
    constexpr int deepestNesting = 8;

    if (! file.existsAsFile())
        return {};

    if (file.getSize() > largestSettingsFile)
        return "is larger than " + juce::String (largestSettingsFile / 1024) + " kB";

    juce::FileInputStream stream (file);

    if (! stream.openedOk())
        return {}; // the properties file reports a file it cannot read

    juce::MemoryBlock data;

    if (stream.readIntoMemoryBlock (data, largestSettingsFile + 1) > (size_t) largestSettingsFile)
        return "is larger than " + juce::String (largestSettingsFile / 1024) + " kB";

    // Scanned as bytes: the markup is ASCII, and a String would be walked from its start at every index.
    const std::string text (static_cast<const char*> (data.getData()), data.getSize());
    const auto length = text.size();
    int depth = 0;

    for (size_t i = 0; i < length; ++i)
    {
        if (text[i] != '<')
            continue;

        const auto skipTo = [&text, &i, length] (const char* end)
        {
            const auto found = text.find (end, i);
            i = found == std::string::npos ? length : found + std::strlen (end) - 1;
        };

        const auto startsHere = [&text, &i] (const char* opening)
        { return text.compare (i, std::strlen (opening), opening) == 0; };

        if (startsHere ("<!--"))
        {
            skipTo ("-->");
            continue;
        }

        if (startsHere ("<![CDATA["))
        {
            skipTo ("]]>");
            continue;
        }

        const auto next = i + 1 < length ? text[i + 1] : '\0';

        if (next == '?' || next == '!' || next == '/')
        {
            depth -= next == '/' ? 1 : 0;
            skipTo (">");
            continue;
        }

        if (++depth > deepestNesting)
            return "nests its elements more than " + juce::String (deepestNesting) + " deep";

        // To the end of the tag; a quoted attribute value may hold "/>".
        char quote = 0;

        for (++i; i < length; ++i)
        {
            const auto c = text[i];

            if (quote != 0)
                quote = c == quote ? 0 : quote;
            else if (c == '"' || c == '\'')
                quote = c;
            else if (c == '>')
                break;
        }

        if (text[i - 1] == '/')
            --depth;
    }

    return {};
}

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
{
    auto fileToRead = file;
    const auto unsafe = findUnsafeShape (file);

    // A file that would bring the parser down would do so at every start: it is moved out of the
    // way, kept for a look, and the settings start afresh.
    if (unsafe.isNotEmpty())
    {
        const auto copy = file.getSiblingFile (file.getFileName() + damagedCopySuffix);
        damagedFileSetAside = file.moveFileTo (copy);

        if (damagedFileSetAside)
        {
            note ("the settings file " + file.getFullPathName() + " " + unsafe + "; it was set aside as "
                  + copy.getFullPathName() + " and the MIDI devices are not remembered");
        }
        else
        {
            note ("the settings file " + file.getFullPathName() + " " + unsafe
                  + " and could not be set aside; it is not read and the MIDI devices are not remembered");
            fileToRead = juce::File();
        }
    }

    properties = std::make_unique<juce::PropertiesFile> (fileToRead, createOptions());

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

bool DeviceSettings::setVerifyAfterSend (bool shouldVerify) { return setAndSave (verifyAfterSendKey, shouldVerify); }

bool DeviceSettings::getSendChangesOnly() const { return properties->getBoolValue (sendChangesOnlyKey, true); }

bool DeviceSettings::setSendChangesOnly (bool shouldSendChangesOnly)
{
    return setAndSave (sendChangesOnlyKey, shouldSendChangesOnly);
}

bool DeviceSettings::getFollowController() const { return properties->getBoolValue (followControllerKey, true); }

bool DeviceSettings::setFollowController (bool shouldFollow) { return setAndSave (followControllerKey, shouldFollow); }

bool DeviceSettings::getCheckBeforeSend() const { return properties->getBoolValue (checkBeforeSendKey, false); }

bool DeviceSettings::setCheckBeforeSend (bool shouldCheck) { return setAndSave (checkBeforeSendKey, shouldCheck); }

int DeviceSettings::getZoomPercent() const { return properties->getIntValue (zoomKey, 100); }

bool DeviceSettings::setZoomPercent (int percent) { return setAndSave (zoomKey, percent); }

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

juce::File DeviceSettings::getFolder (const juce::String& key) const
{
    const auto path = properties->getValue (key);
    return juce::File::isAbsolutePath (path) ? juce::File (path) : juce::File();
}

bool DeviceSettings::setFolder (const juce::String& key, const juce::File& folder)
{
    return setAndSave (key, folder.getFullPathName());
}

bool DeviceSettings::setAndSave (const juce::String& key, const juce::var& value)
{
    properties->setValue (key, value);
    return save();
}
