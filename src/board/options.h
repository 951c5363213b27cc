#pragma once

namespace perch {

// A changed refresh interval as the board takes it: whole tenths of a second, found by
// multiplying by 101, dropping the fraction and dividing by 10 (2.55 gives 2.5, 4.99 gives
// 5.0, 1.99 gives 2.0). A value that is not finite is returned as it is.
float ReduceIntervalToTenths(float seconds);

}  // namespace perch
