#pragma once

#include "app/QuenloZKEditorApplication.h"

/** The application for the ZKM: its file pattern, user guide, About picture, product picture and
    default preset. */
class QuenloZKMEditorApplication : public QuenloZKEditorApplication
{
public:
    QuenloZKMEditorApplication();

    ViewSelector* createProductImageSelector() override;
    const juce::String& getUserGuideFileName() override;
    const juce::Image& getAboutImage() override;
    const void* getDefaultPresetData() override;
    int getDefaultPresetSize() override;

private:
    juce::String userGuideFileName{ "ZKM Editor - User Guide - v1.1.pdf" };
    juce::Image aboutImage;
    const juce::Array<juce::uint8> defaultPreset = ZKMModel::getDefaultPresetDump();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QuenloZKMEditorApplication)
};
