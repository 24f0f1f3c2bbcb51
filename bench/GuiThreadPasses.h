#pragma once

#include <QObject>

#include <chrono>
#include <vector>

// How long each pass of the GUI thread's event loop works, for as long as this object
// lives: from the first event the pass delivers to the moment its event dispatcher is
// about to wait again or reports being awake (the dispatchers signal these at the ends
// of a pass, glib's and Qt's own at opposite ends). A pass that delivers no event is
// not counted; a pass blocked inside, waiting for other threads, counts in full.
class GuiThreadPasses : public QObject
{
public:
    GuiThreadPasses();
    ~GuiThreadPasses() override;

    const std::vector<double> &milliseconds() const { return m_passes; }
    std::size_t count() const { return m_passes.size(); }
    double longest() const;
    // The CPU time of the GUI thread in the pass longest by that time: on a busy
    // machine a pass also lasts while the thread waits for a core.
    double longestCpu() const;
    double median() const;
    double percentile95() const;
    // How many passes took longer than `milliseconds`.
    std::size_t countOver(double milliseconds) const;
    // How long the pass under way has worked so far; 0 between passes.
    double currentPass() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void endPass();

    std::vector<double> m_passes;
    std::vector<double> m_cpuPasses;
    std::chrono::steady_clock::time_point m_passStart;
    double m_passCpuStart = 0;
    bool m_inPass = false;
};
