#include "app/UserGuide.h"

// The documentation folder under the install prefix, given by the build.
#ifndef ZKM_INSTALLED_DOC_DIR
#define ZKM_INSTALLED_DOC_DIR "/usr/local/share/doc/zkm-editor"
#endif

//==============================================================================
UserGuide::UserGuide (int numKeysOfModel, const juce::String& guideFileName)
    : numKeys (numKeysOfModel)
    , fileName (guideFileName)
{
}

juce::File UserGuide::getFileInDocuments() const
{
    const auto relativePath = "Quenlo/ZK" + juce::String (numKeys) + " Editor/" + fileName;
    return juce::File::getSpecialLocation (juce::File::userDocumentsDirectory).getChildFile (relativePath);
}

juce::File UserGuide::getInstalledFile() const { return juce::File (ZKM_INSTALLED_DOC_DIR).getChildFile (fileName); }

juce::File UserGuide::find (const juce::File& inDocuments, const juce::File& installed)
{
    if (inDocuments.existsAsFile())
        return inDocuments;

    if (installed.existsAsFile())
        return installed;

    return {};
}

void UserGuide::show() const
{
    const auto inDocuments = getFileInDocuments();
    const auto installed = getInstalledFile();
    const auto guide = find (inDocuments, installed);

    // Opened with the desktop's viewer for the file (xdg-open on Linux).
    if (guide != juce::File())
        guide.startAsProcess();
    else
        juce::NativeMessageBox::showMessageBox (juce::MessageBoxIconType::NoIcon, "Quenlo ZKM Editor",
                                                "Unable to find User Guide: \n" + inDocuments.getFullPathName() + "\n"
                                                    + installed.getFullPathName());
}
