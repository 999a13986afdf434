#include "app/CheckPresetWindow.h"

#include "app/ContentWindow.h"

namespace
{
constexpr int windowWidth = 560;
constexpr int rowHeight = 28;
constexpr int margin = 10;
constexpr int buttonWidth = 70;
constexpr int listHeight = 8 * rowHeight;
} // namespace

//==============================================================================
/** The rows in a scrolling list above the "Refresh" button. */
class CheckPresetWindow::Content : public juce::Component
{
public:
    explicit Content (CheckPresetWindow& windowToUse)
        : window (windowToUse)
    {
        viewport.setViewedComponent (&rows, false);
        viewport.setScrollBarsShown (true, false);
        addAndMakeVisible (viewport);
        addAndMakeVisible (window.refreshButton);
        setSize (windowWidth, listHeight + rowHeight + 3 * margin);
    }

    void layOutRows()
    {
        rows.removeAllChildren();
        const auto rowWidth = viewport.getMaximumVisibleWidth();

        for (int i = 0; i < window.lines.size(); ++i)
        {
            auto row = juce::Rectangle<int> (0, i * rowHeight, rowWidth, rowHeight);

            if (auto* button = window.goToButtons[i])
            {
                rows.addAndMakeVisible (button);
                button->setBounds (row.removeFromRight (buttonWidth).reduced (2));
            }

            rows.addAndMakeVisible (window.lines.getUnchecked (i));
            window.lines.getUnchecked (i)->setBounds (row);
        }

        rows.setSize (rowWidth, window.lines.size() * rowHeight);
    }

    void resized() override
    {
        auto area = getLocalBounds().reduced (margin);
        window.refreshButton.setBounds (area.removeFromBottom (rowHeight).removeFromRight (buttonWidth + 20));
        area.removeFromBottom (margin);
        viewport.setBounds (area);
        layOutRows();
    }

private:
    CheckPresetWindow& window;
    juce::Viewport viewport;
    juce::Component rows;
};

//==============================================================================
CheckPresetWindow::CheckPresetWindow (ImageSource imageSource, GoToStep goToStep)
    : juce::DocumentWindow ("Check Preset", juce::Colours::darkgrey, juce::DocumentWindow::closeButton, true)
    , getImage (std::move (imageSource))
    , goTo (std::move (goToStep))
{
    refreshButton.onClick = [this] { refresh(); };
    refresh();
    ContentWindow::show (*this, new Content (*this), false);
}

CheckPresetWindow::~CheckPresetWindow()
{
    // The rows and buttons are this window's members: the content lets go of them first.
    clearContentComponent();
}

void CheckPresetWindow::refresh()
{
    findings = PresetCheck::check (getImage());
    lines.clear();
    goToButtons.clear();

    if (findings.empty())
        lines.add (std::make_unique<juce::Label> ("Finding", "No problems found"));

    for (size_t i = 0; i < findings.size(); ++i)
    {
        lines.add (std::make_unique<juce::Label> ("Finding", findings[i].text));
        auto* button = goToButtons.add (std::make_unique<juce::TextButton> ("Go To"));

        // The finding is copied: a refresh may replace the list while the click is delivered.
        button->onClick = [this, finding = findings[i]]
        {
            if (goTo != nullptr)
                goTo (finding);
        };
    }

    for (auto* line : lines)
        line->setColour (juce::Label::textColourId, juce::Colours::white);

    if (auto* content = dynamic_cast<Content*> (getContentComponent()))
        content->layOutRows();
}

juce::StringArray CheckPresetWindow::getLines() const
{
    juce::StringArray texts;

    for (auto* line : lines)
        texts.add (line->getText());

    return texts;
}

juce::Button* CheckPresetWindow::getGoToButton (int findingIndex) const { return goToButtons[findingIndex]; }

void CheckPresetWindow::closeButtonPressed() { delete this; }
