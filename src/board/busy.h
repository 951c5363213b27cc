#pragma once

namespace perch {

// Whether the board is busy: set while a command works on other applications' windows or
// a dialog of the board is open, so that refresh ticks do nothing meanwhile and a Smart
// frame is not pushed down. Only a BusyScope sets it, so it is cleared on every way out.
class BusyFlag {
  public:
    bool IsBusy() const { return busy_ != 0; }

  private:
    friend class BusyScope;
    int busy_ = 0;
};

// The board is busy for the life of this object; afterwards the flag is as it was before,
// so a command run while a dialog is open leaves the board busy until the dialog closes.
class BusyScope {
  public:
    explicit BusyScope(BusyFlag& flag) : flag_(flag), previous_(flag.busy_) { flag_.busy_ = 1; }
    ~BusyScope() { flag_.busy_ = previous_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    BusyFlag& flag_;
    int previous_;
};

}  // namespace perch
