#pragma once

#include "engine/MidiMonitorLog.h"
#include "widgets/CustomLook.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <set>

/** The content of the "MIDI Monitor" window: the messages of the chosen input and output, newest
    at the bottom, in the columns "Time", "Dir", "Bytes" and "Meaning". A Get or Send is one line
    that a click opens to its messages. "Pause" holds the list still (the log goes on recording),
    "Clear" empties it, "Copy" puts the shown lines on the clipboard as text, "Hide SysEx" leaves
    out System Exclusive. The list follows the newest line unless the user scrolled up. */
class MidiMonitorComponent
    : public juce::Component
    , private juce::TableListBoxModel
    , private juce::Timer
{
public:
    /** The meaning of a message, as the front document's preset gives it. */
    using Describer = std::function<juce::String (const juce::MidiMessage&)>;

    enum ColumnIds
    {
        timeColumn = 1,
        directionColumn,
        bytesColumn,
        meaningColumn
    };

    explicit MidiMonitorComponent (MidiManager& manager);
    ~MidiMonitorComponent() override;

    //==============================================================================
    /** Replaces the describer of the "Meaning" column; an empty one brings back describePlainly. */
    void setDescriber (Describer describerToUse);

    /** A message's meaning without a preset: "Note on 60, velocity 100 (ch 1)", "CC 74 = 64 (ch 1)". */
    static juce::String describePlainly (const juce::MidiMessage& message);

    //==============================================================================
    void setPaused (bool shouldPause);
    bool isPaused() const noexcept { return paused; }

    void clear();

    void setSysExHidden (bool shouldHide);
    bool isSysExHidden() const noexcept { return sysExHidden; }

    /** Opens or closes the folded job of that shown row; false when the row is no job. */
    bool toggleJob (int row);

    /** The shown lines, tab between the columns, one line of text per row: what "Copy" copies. */
    juce::String getShownText() const;

    int getNumShownRows() const noexcept { return (int) rows.size(); }

    /** The texts of a shown row's columns, in column order. */
    juce::StringArray getRowTexts (int row) const;

    bool isScrolledToBottom() const;

    /** Shows what the log holds now, rather than at the next refresh of the list. */
    void refresh();

    MidiMonitorLog& getLog() noexcept { return log; }
    juce::TableListBox& getList() noexcept { return list; }

    //==============================================================================
    void paint (juce::Graphics& g) override;
    void resized() override;

private:
    //==============================================================================
    /** A shown row: a line of the log, or one message of a job's line (child >= 0). */
    struct Row
    {
        int line = 0;
        int child = -1;
        juce::int64 id = 0;
    };

    const std::deque<MidiMonitorLog::Line>& getShownLines() const;
    void timerCallback() override;
    void rebuildRows();
    void keepRowInView (const Row& anchor, int offset);
    void updateStatus();
    juce::String getCellText (const Row& row, int columnId) const;

    /** The line a row shows, found by its id: the log drops its oldest lines (and a job its oldest
        messages) as new ones come, before the rows are rebuilt, so a row's index may point past
        the end or at another line meanwhile. nullptr when the line, or the row's message of it,
        has left the log. */
    const MidiMonitorLog::Line* findLine (const Row& row) const;

    int getNumRows() override;
    void paintRowBackground (juce::Graphics&, int row, int width, int height, bool isSelected) override;
    void paintCell (juce::Graphics&, int row, int columnId, int width, int height, bool isSelected) override;
    void cellClicked (int row, int columnId, const juce::MouseEvent&) override;

    //==============================================================================
    CustomLook look;
    MidiMonitorLog log;
    Describer describer;

    /** The list follows the log at most this often: a controller played hard sends thousands of
        messages a second, and nobody reads faster than the screen shows. */
    static constexpr int refreshIntervalMs = 100;

    bool paused = false;
    bool sysExHidden = false;

    // While paused, the list shows the lines as they were when Pause was pressed.
    std::deque<MidiMonitorLog::Line> frozenLines;
    std::set<juce::int64> openJobs;
    std::vector<Row> rows;

    juce::TableListBox list;
    juce::TextButton pauseButton{ "Pause" };
    juce::TextButton clearButton{ "Clear" };
    juce::TextButton copyButton{ "Copy" };
    juce::ToggleButton hideSysExButton{ "Hide SysEx" };
    juce::LookAndFeel_V4 toggleLook;
    juce::Label status;
    const juce::Font textFont;
    const juce::Font bytesFont;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiMonitorComponent)
};
