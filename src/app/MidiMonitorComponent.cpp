#include "app/MidiMonitorComponent.h"

#include "app/DarkTable.h"
#include "widgets/EditorColours.h"

namespace
{
const juce::String inText ("In");
const juce::String outText ("Out");
const juce::String pausedText ("Paused");

constexpr int margin = 6;
constexpr int buttonHeight = 26;
constexpr int buttonWidth = 90;
constexpr int toggleWidth = 110;
constexpr int rowHeight = 18;
constexpr int cellPadding = 4;
constexpr int childIndent = 16;
constexpr int timeColumnWidth = 80;
constexpr int directionColumnWidth = 50;
constexpr int bytesColumnWidth = 260;
constexpr int meaningColumnWidth = 380;
constexpr int minimumColumnWidth = 40;
constexpr float textSize = 13.0f;

juce::String timeText (double timeMs) { return juce::String (timeMs / 1000.0, 3); }

juce::String bytesText (const juce::MidiMessage& message)
{
    return juce::String::toHexString (message.getRawData(), message.getRawDataSize()).toUpperCase();
}

juce::String directionText (MidiMonitorLog::Direction direction)
{
    return direction == MidiMonitorLog::Direction::in ? inText : outText;
}
} // namespace

//==============================================================================
MidiMonitorComponent::MidiMonitorComponent (MidiManager& manager)
    : log (&manager)
    , describer (&MidiMonitorComponent::describePlainly)
    , textFont (textSize)
    , bytesFont (juce::Font::getDefaultMonospacedFontName(), textSize, juce::Font::plain)
{
    setName ("MIDI Monitor");
    setLookAndFeel (&look);

    list.setName ("MIDI Messages");
    list.setModel (this);
    DarkTable::style (list, rowHeight, minimumColumnWidth,
                      { { "Time", timeColumn, timeColumnWidth },
                        { "Dir", directionColumn, directionColumnWidth },
                        { "Bytes", bytesColumn, bytesColumnWidth },
                        { "Meaning", meaningColumn, meaningColumnWidth } });

    // The editor's toggle look is a bare coloured area; this one needs its tick and its text.
    hideSysExButton.setLookAndFeel (&toggleLook);
    hideSysExButton.setColour (juce::ToggleButton::textColourId, EditorColours::white);
    hideSysExButton.setColour (juce::ToggleButton::tickColourId, EditorColours::white);
    hideSysExButton.onClick = [this] { setSysExHidden (hideSysExButton.getToggleState()); };

    pauseButton.setClickingTogglesState (true);
    pauseButton.onClick = [this] { setPaused (pauseButton.getToggleState()); };
    clearButton.onClick = [this] { clear(); };
    copyButton.onClick = [this] { juce::SystemClipboard::copyTextToClipboard (getShownText()); };

    status.setName ("Monitor Status");
    status.setColour (juce::Label::textColourId, EditorColours::listDimText);
    status.setJustificationType (juce::Justification::centredRight);

    for (auto* child : std::initializer_list<juce::Component*>{ &list, &pauseButton, &clearButton, &copyButton,
                                                                &hideSysExButton, &status })
        addAndMakeVisible (child);

    log.onChange = [this]
    {
        if (! isTimerRunning())
            startTimer (refreshIntervalMs);
    };
    updateStatus();
    setSize (900, 500);
}

MidiMonitorComponent::~MidiMonitorComponent()
{
    stopTimer();
    log.onChange = nullptr;
    list.setModel (nullptr);
    hideSysExButton.setLookAndFeel (nullptr);
    setLookAndFeel (nullptr);
}

//==============================================================================
void MidiMonitorComponent::setDescriber (Describer describerToUse)
{
    describer = describerToUse ? std::move (describerToUse) : Describer (&MidiMonitorComponent::describePlainly);
    list.repaint();
}

juce::String MidiMonitorComponent::describePlainly (const juce::MidiMessage& message)
{
    return message.getDescription();
}

void MidiMonitorComponent::setPaused (bool shouldPause)
{
    pauseButton.setToggleState (shouldPause, juce::dontSendNotification);

    if (paused == shouldPause)
        return;

    paused = shouldPause;

    if (paused)
        frozenLines = log.getLines();
    else
        frozenLines.clear();

    rebuildRows();
}

void MidiMonitorComponent::clear()
{
    frozenLines.clear();
    openJobs.clear();

    log.clear();
    rebuildRows();
}

void MidiMonitorComponent::setSysExHidden (bool shouldHide)
{
    hideSysExButton.setToggleState (shouldHide, juce::dontSendNotification);

    if (sysExHidden == shouldHide)
        return;

    sysExHidden = shouldHide;
    rebuildRows();
}

bool MidiMonitorComponent::toggleJob (int row)
{
    if (! juce::isPositiveAndBelow (row, (int) rows.size()) || rows[(size_t) row].child >= 0)
        return false;

    const auto* line = findLine (rows[(size_t) row]);

    if (line == nullptr || ! line->isJob())
        return false;

    if (openJobs.erase (line->id) == 0)
        openJobs.insert (line->id);

    rebuildRows();
    return true;
}

juce::String MidiMonitorComponent::getShownText() const
{
    juce::StringArray lines;

    for (int i = 0; i < (int) rows.size(); ++i)
        lines.add (getRowTexts (i).joinIntoString ("\t"));

    return lines.joinIntoString ("\n");
}

juce::StringArray MidiMonitorComponent::getRowTexts (int row) const
{
    juce::StringArray texts;

    if (juce::isPositiveAndBelow (row, (int) rows.size()))
        for (const auto column : { timeColumn, directionColumn, bytesColumn, meaningColumn })
            texts.add (getCellText (rows[(size_t) row], column));

    return texts;
}

bool MidiMonitorComponent::isScrolledToBottom() const
{
    const auto* viewport = list.getViewport();

    if (viewport == nullptr || viewport->getViewedComponent() == nullptr)
        return true;

    return viewport->getViewPositionY() + viewport->getViewHeight()
           >= viewport->getViewedComponent()->getHeight() - rowHeight / 2;
}

//==============================================================================
void MidiMonitorComponent::paint (juce::Graphics& g) { g.fillAll (EditorColours::listPanel); }

void MidiMonitorComponent::resized()
{
    auto area = getLocalBounds().reduced (margin);
    auto buttons = area.removeFromTop (buttonHeight);

    for (auto* button : { &pauseButton, &clearButton, &copyButton })
    {
        button->setBounds (buttons.removeFromLeft (buttonWidth));
        buttons.removeFromLeft (margin);
    }

    hideSysExButton.setBounds (buttons.removeFromLeft (toggleWidth));
    status.setBounds (buttons);

    area.removeFromTop (margin);
    list.setBounds (area);
}

//==============================================================================
const std::deque<MidiMonitorLog::Line>& MidiMonitorComponent::getShownLines() const
{
    return paused ? frozenLines : log.getLines();
}

void MidiMonitorComponent::refresh()
{
    log.drainNow();
    timerCallback();
}

void MidiMonitorComponent::timerCallback()
{
    stopTimer();

    // The list stands still while paused; the log goes on recording and shows it all on resume.
    if (paused)
        updateStatus();
    else
        rebuildRows();
}

void MidiMonitorComponent::rebuildRows()
{
    const auto followNewest = isScrolledToBottom();

    // A user who scrolled up keeps the line at the top of the view while lines come and go.
    Row anchor;
    int anchorOffset = 0;
    const auto viewY = list.getViewport()->getViewPositionY();

    if (! followNewest && ! rows.empty())
    {
        anchor = rows[(size_t) juce::jlimit (0, (int) rows.size() - 1, viewY / rowHeight)];
        anchorOffset = viewY % rowHeight;
    }

    const auto& lines = getShownLines();
    rows.clear();

    for (int i = 0; i < (int) lines.size(); ++i)
    {
        const auto& line = lines[(size_t) i];

        if (sysExHidden && (line.isJob() || line.entry.message.isSysEx()))
            continue;

        rows.push_back ({ i, -1, line.id });

        if (line.isJob() && openJobs.count (line.id) > 0)
            for (int child = 0; child < line.getNumHeld(); ++child)
                rows.push_back ({ i, child, line.id });
    }

    // Jobs whose lines left the log are forgotten.
    const auto firstId = lines.empty() ? std::numeric_limits<juce::int64>::max() : lines.front().id;
    openJobs.erase (openJobs.begin(), openJobs.lower_bound (firstId));

    list.updateContent();

    if (followNewest && ! rows.empty())
        list.scrollToEnsureRowIsOnscreen ((int) rows.size() - 1);
    else if (! followNewest)
        keepRowInView (anchor, anchorOffset);

    list.repaint();
    updateStatus();
}

void MidiMonitorComponent::keepRowInView (const Row& anchor, int offset)
{
    // The first row at or after the anchor: the anchor itself unless its line left the log.
    const auto found = std::lower_bound (rows.begin(), rows.end(), anchor,
                                         [] (const Row& a, const Row& b)
                                         { return a.id < b.id || (a.id == b.id && a.child < b.child); });
    const auto row = (int) std::distance (rows.begin(), found);
    list.getViewport()->setViewPosition (0, row * rowHeight
                                                + (found != rows.end() && found->id == anchor.id ? offset : 0));
}

void MidiMonitorComponent::updateStatus()
{
    const auto held = log.getNumMessagesHeld();
    status.setText (paused ? pausedText : juce::String (held) + (held == 1 ? " message" : " messages"),
                    juce::dontSendNotification);
    status.setColour (juce::Label::textColourId, paused ? EditorColours::warning : EditorColours::listDimText);
}

const MidiMonitorLog::Line* MidiMonitorComponent::findLine (const Row& row) const
{
    const auto& lines = getShownLines();
    const MidiMonitorLog::Line* line = nullptr;

    if (juce::isPositiveAndBelow (row.line, (int) lines.size()) && lines[(size_t) row.line].id == row.id)
        line = &lines[(size_t) row.line];
    else if (const auto found =
                 std::lower_bound (lines.begin(), lines.end(), row.id,
                                   [] (const MidiMonitorLog::Line& a, juce::int64 id) { return a.id < id; });
             found != lines.end() && found->id == row.id)
        line = &*found;

    if (line == nullptr || row.child >= line->getNumHeld())
        return nullptr;

    return line;
}

juce::String MidiMonitorComponent::getCellText (const Row& row, int columnId) const
{
    const auto* found = findLine (row);

    if (found == nullptr)
        return {};

    const auto& line = *found;
    const auto& entry = row.child >= 0 ? line.getHeld (row.child) : line.entry;

    switch (columnId)
    {
        case timeColumn:
            return timeText (entry.timeMs);
        case directionColumn:
            if (row.child < 0 && line.job == MidiMonitorLog::JobKind::get)
                return outText + "/" + inText;
            return directionText (entry.direction);
        case bytesColumn:
            if (row.child < 0 && line.isJob())
                return (openJobs.count (line.id) > 0 ? "[-] " : "[+] ") + juce::String (line.getNumHeld())
                       + " messages";
            return bytesText (entry.message);
        case meaningColumn:
        {
            if (row.child < 0 && line.isJob())
                return line.getJobSummary();

            const auto ours = MidiMonitorLog::describeSysEx (entry.message);
            return ours.isNotEmpty() ? ours : describer (entry.message);
        }
        default:
            return {};
    }
}

//==============================================================================
int MidiMonitorComponent::getNumRows() { return (int) rows.size(); }

void MidiMonitorComponent::paintRowBackground (juce::Graphics& g, int row, int, int, bool isSelected)
{
    DarkTable::paintRowBackground (g, row, isSelected);
}

void MidiMonitorComponent::paintCell (juce::Graphics& g, int row, int columnId, int width, int height, bool isSelected)
{
    if (! juce::isPositiveAndBelow (row, (int) rows.size()))
        return;

    const auto& shown = rows[(size_t) row];
    const auto isChild = shown.child >= 0;
    const auto indent = isChild && columnId == timeColumn ? childIndent : 0;

    g.setColour (isSelected || ! isChild ? EditorColours::white : EditorColours::listDimText);
    g.setFont (columnId == bytesColumn || columnId == timeColumn ? bytesFont : textFont);
    g.drawText (getCellText (shown, columnId), cellPadding + indent, 0, width - 2 * cellPadding - indent, height,
                juce::Justification::centredLeft, true);
}

void MidiMonitorComponent::cellClicked (int row, int, const juce::MouseEvent&) { toggleJob (row); }
