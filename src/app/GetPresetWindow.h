#pragma once

#include "app/GetPresetComponent.h"
#include "engine/ZKEditorEngine.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The non-modal dialog in which the user picks the slot to fetch. It deletes itself once a button
    has been pressed; its document window holds it by weak reference and deletes it when it closes
    first. */
class GetPresetWindow
    : public juce::ResizableWindow
    , public juce::Button::Listener
{
public:
    explicit GetPresetWindow (ZKEditorEngine::Ptr engine);
    ~GetPresetWindow() override;

    //==============================================================================
    /** "Get" fetches the chosen slot; either button then closes the dialog. */
    void buttonClicked (juce::Button* button) override;
    void buttonStateChanged (juce::Button*) override {}

    GetPresetComponent& getPresetComponent() const;

private:
    ZKEditorEngine::Ptr engine;

    JUCE_DECLARE_WEAK_REFERENCEABLE (GetPresetWindow)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GetPresetWindow)
};
