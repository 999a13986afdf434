#pragma once

#include "app/SendPresetComponent.h"
#include "engine/ZKEditorEngine.h"

#include <functional>

#include <juce_gui_basics/juce_gui_basics.h>

/** The non-modal dialog in which the user picks the slot to write. It deletes itself after a
    successful send or "Cancel"; a send that could not start leaves it open with its choice. Its
    document window holds it by weak reference and deletes it when it closes first. */
class SendPresetWindow
    : public juce::ResizableWindow
    , public juce::Button::Listener
{
public:
    /** A whole Send writes all the bytes of the slot, whatever the "Send Changes Only" option says. */
    explicit SendPresetWindow (ZKEditorEngine::Ptr engine, bool sendWhole = false);
    ~SendPresetWindow() override;

    //==============================================================================
    void buttonClicked (juce::Button* button) override;
    void buttonStateChanged (juce::Button*) override {}

    SendPresetComponent& getPresetComponent() const;

    bool sendsWholePreset() const noexcept { return sendWhole; }

    /** Asked when "Send" is pressed, before anything is written: false keeps the dialog open and
        sends nothing. It may run a modal question during which this dialog is deleted. */
    std::function<bool()> confirmSend;

private:
    ZKEditorEngine::Ptr engine;
    const bool sendWhole;

    JUCE_DECLARE_WEAK_REFERENCEABLE (SendPresetWindow)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SendPresetWindow)
};
