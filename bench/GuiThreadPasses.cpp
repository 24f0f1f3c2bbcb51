#include "GuiThreadPasses.h"

#include "ProcessFigures.h"
#include "RepetitionStatistics.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>

#include <algorithm>

GuiThreadPasses::GuiThreadPasses()
{
    QCoreApplication::instance()->installEventFilter(this);
    QAbstractEventDispatcher *dispatcher =
        QAbstractEventDispatcher::instance(QCoreApplication::instance()->thread());
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &GuiThreadPasses::endPass);
    connect(dispatcher, &QAbstractEventDispatcher::awake, this, &GuiThreadPasses::endPass);
}

GuiThreadPasses::~GuiThreadPasses()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool GuiThreadPasses::eventFilter(QObject *, QEvent *)
{
    if (!m_inPass) {
        m_inPass = true;
        m_passStart = std::chrono::steady_clock::now();
        m_passCpuStart = threadCpuMilliseconds();
    }
    return false;
}

double GuiThreadPasses::currentPass() const
{
    if (!m_inPass)
        return 0;
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_passStart).count();
}

void GuiThreadPasses::endPass()
{
    if (!m_inPass)
        return;
    m_passes.push_back(currentPass());
    m_cpuPasses.push_back(threadCpuMilliseconds() - m_passCpuStart);
    m_inPass = false;
}

double GuiThreadPasses::longest() const
{
    return m_passes.empty() ? 0 : *std::max_element(m_passes.cbegin(), m_passes.cend());
}

double GuiThreadPasses::longestCpu() const
{
    return m_cpuPasses.empty() ? 0 : *std::max_element(m_cpuPasses.cbegin(), m_cpuPasses.cend());
}

double GuiThreadPasses::median() const
{
    return m_passes.empty() ? 0 : lowerMedian(m_passes);
}

double GuiThreadPasses::percentile95() const
{
    return m_passes.empty() ? 0 : ::percentile95(m_passes);
}

std::size_t GuiThreadPasses::countOver(double milliseconds) const
{
    return std::size_t(std::count_if(m_passes.cbegin(), m_passes.cend(),
                                     [milliseconds](double pass) { return pass > milliseconds; }));
}
