#pragma once

#include "engine/ZKEditorEngine.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** "Compare With File...": lists every parameter whose value differs between a document's preset
    and another preset, one line per control ("Knob 3: CC 21 / 74", this window's value first),
    with their count, or "No differences". It can stay open while the document is edited;
    "Refresh" compares again. Owned by its document window. */
class CompareWindow : public juce::DocumentWindow
{
public:
    /** otherImage: the 465 image bytes of the preset compared with; otherName names it. */
    CompareWindow (ZKEditorEngine::Ptr engine, const juce::Array<juce::uint8>& otherImage,
                   const juce::String& otherName);
    ~CompareWindow() override;

    void refresh();
    juce::String getText() const;

    /** The text shown: the count line, then one line per control. */
    static juce::String describe (const juce::Array<juce::uint8>& mine, const juce::Array<juce::uint8>& other,
                                  const juce::String& otherName);

    juce::TextButton& getRefreshButton() noexcept { return refreshButton; }

    void closeButtonPressed() override;

private:
    class Content;

    ZKEditorEngine::Ptr engine;
    const juce::Array<juce::uint8> otherImage;
    const juce::String otherName;
    juce::TextEditor text;
    juce::TextButton refreshButton{ "Refresh" };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CompareWindow)
};
