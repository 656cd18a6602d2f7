// The median the benchmarks report: a few slow rounds, from other work on a
// shared machine, move it far less than they move a mean.
#ifndef GRIDWALK_BENCH_MEDIAN_H
#define GRIDWALK_BENCH_MEDIAN_H

#include <algorithm>
#include <cstddef>
#include <vector>

// The middle value, or the mean of the two middle ones; values in any unit.
inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

#endif
