#pragma once

#include "engine/ZKEditorEngine.h"
#include "widgets/ControlSettings.h"
#include "widgets/TransportControllerComboBox.h"
#include "widgets/TransportControllerNumberBox.h"

/** One transport button: whether it acts momentarily or toggles, and its controller number. */
class TransportControlView
    : public juce::Component
    , public ControlSettings::Holder
{
public:
    TransportControlView (ZKEditorEngine::Ptr engine, unsigned int buttonIndex, const juce::String& buttonName);
    ~TransportControlView() override;

    /** Copy, paste and fill for this button, offered by a right-click on the title. */
    ControlSettings* getControlSettings() override { return controlSettings.get(); }

private:
    //==============================================================================
    std::unique_ptr<juce::Label> title;
    std::unique_ptr<TransportControllerComboBox> functionBox;
    std::unique_ptr<TransportControllerNumberBox> ccBox;
    std::unique_ptr<ControlSettings> controlSettings;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TransportControlView)
};
