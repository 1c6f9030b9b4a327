// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A Boolean setting kept in one place. Bound to a flag that lives elsewhere
// (the game options), it reads and writes that flag; unbound, it holds a value
// of its own. So `if (SoundOn)` and `SoundOn = true` keep working where the
// game reads the flag, while the options object stays its only owner.
class OptionFlag {
public:
    OptionFlag() = default;
    OptionFlag(const OptionFlag&) = delete;
    OptionFlag& operator=(const OptionFlag&) = delete;

    OptionFlag& operator=(bool value) {
        *flag_ = value;
        return *this;
    }
    operator bool() const { return *flag_; }

    // From now on the value is *flag; null goes back to the value of its own
    // (false until set). The bound flag must outlive this object or be
    // unbound first.
    void bind(bool* flag) { flag_ = flag ? flag : &own_; }
    bool isBound() const { return flag_ != &own_; }

private:
    bool own_ = false;
    bool* flag_ = &own_;
};
