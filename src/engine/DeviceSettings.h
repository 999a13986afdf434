#pragma once

#include <juce_data_structures/juce_data_structures.h>

/** The settings kept between runs: the names of the MIDI input and output last applied in Device
    Setup, the options "Verify After Send", "Send Changes Only", "Follow the Controller" and "Check
    Before Send", and folders the windows remember. They live in a small file in the user's
    configuration folder. A file that cannot be read or written, or is damaged, is passed over with
    a note on the standard error output: the editor then simply starts without remembered devices. A
    file too large or nested too deep to be parsed safely is moved aside before it is parsed. */
class DeviceSettings
{
public:
    /** Reads the settings from that file, if it exists. */
    explicit DeviceSettings (const juce::File& file);
    ~DeviceSettings();

    /** zkm-editor/settings.xml in $XDG_CONFIG_HOME, or in ~/.config when that is not set. */
    static juce::File getDefaultFile();

    //==============================================================================
    juce::String getInputName() const;
    juce::String getOutputName() const;

    /** Stores both names and writes the file; false, with a note, when it could not be written. */
    bool setDeviceNames (const juce::String& inputName, const juce::String& outputName);

    /** On unless the user turned it off. */
    bool getVerifyAfterSend() const;
    bool setVerifyAfterSend (bool shouldVerify);

    /** On unless the user turned it off. */
    bool getSendChangesOnly() const;
    bool setSendChangesOnly (bool shouldSendChangesOnly);

    /** "Follow the Controller": on unless the user turned it off. */
    bool getFollowController() const;
    bool setFollowController (bool shouldFollow);

    /** "Check Before Send": off unless the user turned it on. */
    bool getCheckBeforeSend() const;
    bool setCheckBeforeSend (bool shouldCheck);

    /** The zoom of the windows in percent, as the user last set it; 100 when none is kept. The
        caller keeps it to the steps it offers. */
    int getZoomPercent() const;
    bool setZoomPercent (int percent);

    /** A folder kept between runs under that key (such as "backupFolder", the folder of the last
        backup written or restored); juce::File() when none is kept or the kept path is not absolute. */
    juce::File getFolder (const juce::String& key) const;
    bool setFolder (const juce::String& key, const juce::File& folder);

    const juce::File& getFile() const noexcept { return file; }

    /** Whether the file was too large or nested too deep to be read safely and was moved aside, as
        settings.xml.damaged beside it, when these settings were read; a note on the standard error
        output said so, and a program may tell the user too. */
    bool wasDamagedFileSetAside() const noexcept { return damagedFileSetAside; }

private:
    bool save();
    bool setAndSave (const juce::String& key, const juce::var& value);

    const juce::File file;
    std::unique_ptr<juce::PropertiesFile> properties;
    bool fileWasDamaged = false;
    bool damagedFileSetAside = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DeviceSettings)
};
