// Timing of repeated rounds, shared by the benchmarks.
#ifndef BENCHTIMING_H
#define BENCHTIMING_H

#include <QElapsedTimer>

#include <algorithm>
#include <functional>
#include <vector>

namespace benchtiming {

// Milliseconds of each of iRounds runs of iWork, sorted.
inline std::vector<double> roundsMs(int iRounds, const std::function<void()> &iWork)
{
    std::vector<double> times;
    for (int i = 0; i < iRounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        iWork();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times;
}

inline double bestMs(int iRounds, const std::function<void()> &iWork) { return roundsMs(iRounds, iWork).front(); }

inline double medianMs(int iRounds, const std::function<void()> &iWork)
{
    const std::vector<double> times = roundsMs(iRounds, iWork);
    return times[times.size() / 2];
}

} // namespace benchtiming

#endif // BENCHTIMING_H
