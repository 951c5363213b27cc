#include "board/event_ticks.h"

namespace perch {

void EventTicks::Schedule() {
    if (pending_) {
        if (restarts_ >= kMaxEventRestarts) {
            return;
        }
        ++restarts_;
    } else {
        restarts_ = 0;
    }
    // Starting a view timer again under the same id replaces it: the delay starts over.
    timerId_ = view_.StartTimer(kEventTimerId, kEventDelayMs);
    pending_ = timerId_ != 0;
}

void EventTicks::Fire() {
    Stop();
}

void EventTicks::Stop() {
    if (pending_) {
        view_.StopTimer(timerId_);
    }
    pending_ = false;
    restarts_ = 0;
}

}  // namespace perch
