#pragma once

#include "app/AboutComponent.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** A borderless window with the About picture, closed by a click on it. The application holds it
    by weak reference: it deletes itself. */
class AboutWindow : public juce::ResizableWindow
{
public:
    explicit AboutWindow (juce::Image aboutImage);
    ~AboutWindow() override;

    AboutComponent* getAboutComponent() const;

private:
    JUCE_DECLARE_WEAK_REFERENCEABLE (AboutWindow)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AboutWindow)
};
