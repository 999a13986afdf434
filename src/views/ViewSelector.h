#pragma once

#include <juce_gui_basics/juce_gui_basics.h>
#include <utility>
#include <vector>

/** A set of buttons of which each selects one editor view by its view index (0 to 8). The selector
    only reports clicks and shows which view is selected; the editor component decides what happens. */
class ViewSelector
    : public juce::Button::Listener
    , public juce::Component
{
public:
    class Listener
    {
    public:
        virtual void viewSelected (int viewIndex) = 0;
        virtual ~Listener() = default;
    };

    //==============================================================================
    ViewSelector() = default;

    /** Only the concrete selectors are ever created. */
    ~ViewSelector() override = 0;

    //==============================================================================
    /** Tells every listener, the last added first, of the view bound to the clicked button. */
    void buttonClicked (juce::Button* button) override;

    void buttonStateChanged (juce::Button*) override {}

    /** Turns on the button of that view and every other button off, without notification. An index
        that no button carries turns every button off. */
    virtual void setSelectedView (int viewIndex);

    /** Appends a button that selects the view; the selector owns it from now on. The caller adds it as
        a child and listens to it. */
    virtual void addSelectorButton (int viewIndex, std::unique_ptr<juce::Button> button);

    /** Unless it is null or already present. Listeners are not owned. */
    void addListener (Listener* listener);

    const juce::OwnedArray<juce::Button>& getButtons() const noexcept { return buttons; }

private:
    //==============================================================================
    juce::OwnedArray<juce::Button> buttons;
    std::vector<std::pair<int, juce::Button*>> bindings;
    juce::Array<Listener*> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ViewSelector)
};
