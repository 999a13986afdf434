#pragma once

#include "views/ColumnControlView.h"
#include "widgets/ControlSettings.h"

/** One transport button: whether it acts momentarily or toggles, and its controller number. */
class TransportControlView
    : public ColumnControlView
    , public ControlSettings::Holder
{
public:
    TransportControlView (ZKEditorEngine::Ptr engine, unsigned int buttonIndex, const juce::String& buttonName);
    ~TransportControlView() override;

    /** Copy, paste and fill for this button, offered by a right-click on the title. */
    ControlSettings* getControlSettings() override { return controlSettings.get(); }

private:
    //==============================================================================
    std::unique_ptr<ControlSettings> controlSettings;
};
