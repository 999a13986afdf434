#pragma once

#include "engine/ZKEditorEngine.h"
#include "views/ViewSelector.h"
#include "widgets/CustomLook.h"

/** The whole content of a document window: the editor picture with the product picture and the tab
    row on it, and under them the one editor view that is selected. Every view is built once and keeps
    listening to its controls while it is not shown. */
class EditorComponent
    : public juce::Component
    , public ViewSelector::Listener
{
public:
    /** The editor views by view index. */
    enum ViewIndex
    {
        mainView = 0,
        knobsView,
        switchesView,
        drumPadsView,
        rollModeView,
        transportView,
        keybedView,
        wheelsView,
        sustainView,
        numViews
    };

    //==============================================================================
    /** Takes ownership of both selectors; either may be null. */
    EditorComponent (std::unique_ptr<ViewSelector> tabSelector, std::unique_ptr<ViewSelector> productSelector,
                     ZKEditorEngine::Ptr engine, int numKnobs, int numPads, int numSwitches);
    ~EditorComponent() override;

    //==============================================================================
    /** Shows that view, hides every other and marks the view in both selectors. An index outside
        0 to 8 is ignored. */
    void viewSelected (int viewIndex) override;

    /** The view of that index (view 0 is the MainSectionView), or null outside 0 to 8. */
    juce::Component* getView (int viewIndex) const;

    /** Selector 0 is the tab row, selector 1 the product picture; null if there is none. */
    ViewSelector* getSelector (int selectorIndex) const;

private:
    //==============================================================================
    std::unique_ptr<juce::ImageComponent> background;
    juce::OwnedArray<ViewSelector> selectors;
    juce::OwnedArray<juce::Component> views;
    CustomLook look;
    ZKEditorEngine::Ptr engine;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditorComponent)
};
