#include "board/frame_z_order.h"

namespace perch {
namespace {

constexpr unsigned kPlacementFlags = kSwpNoSize | kSwpNoMove | kSwpNoActivate | kSwpShowWindow;

}  // namespace

WindowHandle FrameZOrder::InsertAfterAtCreation() {
    if (settings_.Visibility == kVisibilityNormal) {
        return kHwndTop;
    }
    topmostApplied_ = 1;
    return kHwndTopmost;
}

void FrameZOrder::OnDocumentCount(std::size_t count) {
    const bool wantTopmost = settings_.Visibility == kVisibilityAlwaysOnTop ||
                             (settings_.Visibility == kVisibilitySmart && count > 1);
    if (wantTopmost) {
        if (topmostApplied_ == 0) {
            MakeTopmost();
            topmostApplied_ = 1;
        }
    } else if (settings_.Visibility == kVisibilitySmart && topmostApplied_ != 0) {
        PushToBottom();
        topmostApplied_ = 0;
    }
}

void FrameZOrder::OnBoardInFront() {
    if (settings_.Visibility == kVisibilitySmart && topmostApplied_ == 0) {
        MakeTopmost();
        topmostApplied_ = 1;
    }
}

void FrameZOrder::OnOtherInFront() {
    if (settings_.Visibility == kVisibilitySmart) {
        PushToBottom();
        topmostApplied_ = 0;
    }
}

void FrameZOrder::OnFrameFitted() {
    topmostApplied_ = 0;
}

void FrameZOrder::OnFontDialogOpening() {
    PushToBottom();
}

void FrameZOrder::OnDialogClosed() {
    if (settings_.Visibility != kVisibilityNormal) {
        MakeTopmost();
        topmostApplied_ = 1;
    }
}

void FrameZOrder::OnVisibilityApplied() {
    if (settings_.Visibility != kVisibilityNormal) {
        if (topmostApplied_ == 0) {
            MakeTopmost();
            topmostApplied_ = 1;
        }
    } else {
        PushToBottom();
        windows_.SetWindowPos(tracker_.Frame(), kHwndTop, 0, 0, 0, 0, kPlacementFlags);
        topmostApplied_ = 0;
    }
}

void FrameZOrder::OnFrameMinimizing() {
    // Without kSwpNoActivate, Wine keeps an active frame in the topmost band.
    windows_.SetWindowPos(tracker_.Frame(), kHwndBottom, 0, 0, 0, 0,
                          kSwpNoMove | kSwpNoSize | kSwpNoActivate);
}

void FrameZOrder::OnFrameRestored() {
    if (settings_.Visibility != kVisibilityNormal) {
        windows_.SetWindowPos(tracker_.Frame(), kHwndTopmost, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize);
        topmostApplied_ = 1;
    }
}

void FrameZOrder::MakeTopmost() {
    windows_.SetWindowPos(tracker_.Frame(), kHwndTopmost, 0, 0, 0, 0, kPlacementFlags);
}

void FrameZOrder::PushToBottom() {
    windows_.SetWindowPos(tracker_.Frame(), kHwndBottom, 0, 0, 0, 0, kPlacementFlags);
}

}  // namespace perch
