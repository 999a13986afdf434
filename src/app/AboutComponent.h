#pragma once

#include "images/ScalableImageComponent.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The About picture with the software version and the maker's notice over it. A click anywhere on
    it closes the window that holds it. */
class AboutComponent : public juce::Component
{
public:
    explicit AboutComponent (juce::Image aboutImage);
    ~AboutComponent() override;

    //==============================================================================
    /** Deletes the enclosing window; the component is gone when this returns. */
    void mouseUp (const juce::MouseEvent& event) override;

    //==============================================================================
    juce::Label& getVersionLabel() noexcept { return *versionLabel; }
    juce::Label& getNoticeLabel() noexcept { return *noticeLabel; }

private:
    static void styleLabel (juce::Label& label);

    //==============================================================================
    std::unique_ptr<ScalableImageComponent> picture;
    std::unique_ptr<juce::Label> versionLabel;
    std::unique_ptr<juce::Label> noticeLabel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AboutComponent)
};
