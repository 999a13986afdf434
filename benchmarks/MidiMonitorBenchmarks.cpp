// The MIDI Monitor window open while a controller is played hard: 10,000 messages a second for 10 s
// through the MidiManager from an input thread of a fake layer. Counted: messages lost or out of
// order in the monitor's log, the worst lateness of the message thread, the process's CPU time and
// the growth of its resident memory once the log is full.
#include "LatenessProbe.h"
#include "app/MidiMonitorWindow.h"
#include "support/TestRig.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace
{
constexpr int messagesPerSecond = 10000;
constexpr int durationSeconds = 10;
constexpr int batchIntervalMs = 1;
constexpr int messagesPerBatch = messagesPerSecond / 1000 * batchIntervalMs;

/** A different controller message for every number below 16 * 128 * 128. */
juce::MidiMessage numbered (int number)
{
    return juce::MidiMessage::controllerEvent (1 + number / (128 * 128), (number / 128) % 128, number % 128);
}

int numberOf (const juce::MidiMessage& message)
{
    return (message.getChannel() - 1) * 128 * 128 + message.getControllerNumber() * 128 + message.getControllerValue();
}

double cpuSecondsOfProcess()
{
    rusage usage{};
    getrusage (RUSAGE_SELF, &usage);
    return (double) usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1.0e6 + (double) usage.ru_stime.tv_sec
           + usage.ru_stime.tv_usec / 1.0e6;
}

double residentMegabytes()
{
    long pages = 0, resident = 0;

    if (auto* file = std::fopen ("/proc/self/statm", "r"))
    {
        if (std::fscanf (file, "%ld %ld", &pages, &resident) != 2)
            resident = 0;

        std::fclose (file);
    }

    return (double) resident * (double) sysconf (_SC_PAGESIZE) / (1024.0 * 1024.0);
}

void monitorUnderTenThousandMessagesASecond (benchmark::State& state)
{
    for (auto _ : state)
    {
        TestRig::FakeRig rig;
        MidiMonitorWindow window (rig.manager);
        auto& log = window.getMonitor().getLog();
        juce::MessageManager::getInstance()->runDispatchLoopUntil (100);

        constexpr int total = messagesPerSecond * durationSeconds;
        std::atomic<bool> done{ false };
        LatenessProbe probe;
        const auto start = juce::Time::getMillisecondCounterHiRes();
        const auto cpuBefore = cpuSecondsOfProcess();

        // The input thread of the device: batches every millisecond, by deadline so it never drifts.
        std::thread input (
            [&]
            {
                for (int sent = 0; sent < total;)
                {
                    for (int i = 0; i < messagesPerBatch; ++i)
                        rig.layer.deliver (numbered (sent++));

                    const auto deadline = start + (double) sent / messagesPerSecond * 1000.0;
                    const auto wait = deadline - juce::Time::getMillisecondCounterHiRes();

                    if (wait > 0)
                        std::this_thread::sleep_for (std::chrono::microseconds ((int) (wait * 1000.0)));
                }

                done = true;
            });

        // Memory is read once the log is full (after 1 s) and at the end.
        double memoryFullMb = 0;

        while (! done)
        {
            juce::MessageManager::getInstance()->runDispatchLoopUntil (10);

            if (memoryFullMb == 0 && juce::Time::getMillisecondCounterHiRes() - start > 2000.0)
                memoryFullMb = residentMegabytes();
        }

        input.join();
        log.drainNow();
        const auto elapsedMs = juce::Time::getMillisecondCounterHiRes() - start;
        const auto cpuMs = (cpuSecondsOfProcess() - cpuBefore) * 1000.0;
        probe.stop();
        juce::MessageManager::getInstance()->runDispatchLoopUntil (50);
        const auto memoryEndMb = residentMegabytes();

        // Every message got a line of its own, and the log holds the newest ones in order.
        const auto& lines = log.getLines();
        const auto arranged = lines.empty() ? 0 : (int) lines.back().id + 1;
        int outOfOrder = 0;

        for (size_t i = 0; i < lines.size(); ++i)
            if (numberOf (lines[i].entry.message) != total - (int) lines.size() + (int) i)
                ++outOfOrder;

        state.SetIterationTime (elapsedMs / 1000.0);
        state.counters["messages"] = arranged;
        state.counters["lost"] = total - arranged;
        state.counters["out_of_order"] = outOfOrder;
        state.counters["worst_lateness_ms"] = probe.getWorstLatenessMs();
        state.counters["cpu_percent"] = 100.0 * cpuMs / elapsedMs;
        state.counters["memory_growth_mb"] = memoryEndMb - memoryFullMb;
    }
}
} // namespace

BENCHMARK (monitorUnderTenThousandMessagesASecond)->UseManualTime()->Iterations (1)->Unit (benchmark::kMillisecond);
