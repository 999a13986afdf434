#pragma once

#include "engine/ZKEditorEngine.h"
#include "views/EditorViews.h"
#include "views/ViewSelector.h"
#include "widgets/CustomLook.h"

/** The whole content of a document window: the editor picture with the product picture and the tab
    row on it, and under them the one editor view that is selected. Every view is built once and keeps
    listening to its controls while it is not shown.

    The main section is built with the component; the other eight views, with most of the window's
    widgets, are built right after the window's first paint, so that the window shows sooner. A view
    that is asked for before then is built at once. A view built late is brought up to date by the
    controls announcing their values again, as a load does. */
class EditorComponent
    : public juce::Component
    , public EditorViews
    , public ViewSelector::Listener
    , private juce::AsyncUpdater
{
public:
    //==============================================================================
    /** Takes ownership of both selectors; either may be null. */
    EditorComponent (std::unique_ptr<ViewSelector> tabSelector, std::unique_ptr<ViewSelector> productSelector,
                     ZKEditorEngine::Ptr engine, int numKnobs, int numPads, int numSwitches);
    ~EditorComponent() override;

    //==============================================================================
    /** Shows that view, hides every other and marks the view in both selectors. An index outside
        0 to 8 is ignored. */
    void viewSelected (int viewIndex) override;

    /** The view of that index (view 0 is the MainSectionView), built now if it was not yet; null
        outside 0 to 8. */
    juce::Component* getView (int viewIndex);

    void buildRemainingViews();
    bool areAllViewsBuilt() const;

    /** Ends every open text field of the editor as Return would, so that a typed number or name is
        in the preset before anything reads it. */
    void commitOpenEdits();

    /** Selector 0 is the tab row, selector 1 the product picture; null if there is none. */
    ViewSelector* getSelector (int selectorIndex) const;

    //==============================================================================
    /** The first paint schedules the building of the remaining views. */
    void paint (juce::Graphics&) override;

private:
    //==============================================================================
    void handleAsyncUpdate() override;
    juce::Component* buildView (int viewIndex);
    juce::Component* addView (int viewIndex);
    std::unique_ptr<juce::Component> createView (int viewIndex);
    void announceCurrentValues();

    //==============================================================================
    std::unique_ptr<juce::ImageComponent> background;
    juce::OwnedArray<ViewSelector> selectors;
    juce::OwnedArray<juce::Component> views;
    CustomLook look;
    ZKEditorEngine::Ptr engine;
    const int numKnobs, numPads, numSwitches;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditorComponent)
};
