#include "engine/dinput.h"

#include "platform/message.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int FirstButtonControl = 17;
constexpr int LastControl = 48;
constexpr int HighestNamedKey = 237;

constexpr int KeyBackSpace = 14;
constexpr int KeyEnter = 28;
constexpr int KeyLeftShift = 42;
constexpr int KeyRightShift = 54;

// The keys the name entry listens to, in the order it looks at them, and what each types.
constexpr int typingKeys[] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                              49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44,
                              57, 11, 2,  3,  4,  5,  6,  7,  8,  9,  10};
constexpr std::string_view typedCharacters = "abcdefghijklmnopqrstuvwxyz 0123456789";
static_assert(std::size(typingKeys) == typedCharacters.size());

// The hat's eight directions (its value div 4500) and the controls each one sets.
constexpr int hatControls[8][2] = {
    {13, 0}, {13, 14}, {14, 0}, {14, 15}, {15, 0}, {15, 16}, {16, 0}, {16, 13},
};

int32_t ClampSensitivity(int32_t sensitivity) {
    return std::clamp(sensitivity, 30, 100);
}

} // namespace

tgamepad::tgamepad(const input::PadDescription& description, int sourceIndex)
    : name(description.name.substr(0, MaxNameLength)) {
    if (!description.opened) return;
    device = sourceIndex;
    hasAxis = description.hasAxis;
    hats = std::clamp(description.hats, 0, MaxHats);
    buttons = std::clamp(description.buttons, 0, MaxButtons);
}

void tgamepad::Poll(input::InputSource& source, int32_t sensitivity) {
    int32_t a = (100 - sensitivity) * 32767 / 100;
    low = 32767 - a;
    high = 32767 + a;
    controls.fill(0);
    input::PadReading state;
    if (!source.ReadPad(device, state)) return;
    SetControls(state);
    // A button tapped between two polls is on for this one poll.
    input::PadReading presses;
    if (source.ReadPadPresses(device, presses)) SetControls(presses);
}

void tgamepad::SetControls(const input::PadReading& state) {
    for (int axis = 0; axis < input::PadAxisCount; ++axis) {
        if (!hasAxis[axis]) continue;
        if (state.axes[axis] < low) controls[1 + 2 * axis] = 1;
        if (state.axes[axis] > high) controls[2 + 2 * axis] = 1;
    }
    for (int b = 0; b < buttons; ++b)
        if (state.buttons[b] != 0) controls[FirstButtonControl + b] = 1;
    // However many hats the pad has, only the first one is read.
    for (int h = 0; h < hats; ++h) {
        int32_t v = state.firstHat;
        if (v < 0) continue;
        int32_t s = v / 4500;
        if (s > 7) continue;
        for (int control : hatControls[s])
            if (control != 0) controls[control] = 1;
    }
}

TDInput::TDInput() = default;
TDInput::~TDInput() {
    Release();
}

bool TDInput::Init(std::unique_ptr<input::InputSource> source) {
    Release();
    source_ = source ? std::move(source) : input::OpenSystemInput();
    if (!source_) {
        ShowMessage("Unable to initialize DirectX8", MessageIcon::None);
        return false;
    }
    keys_.fill(0);
    pendingPresses_.fill(0);
    lastTypedKey_ = 0;
    EnumeratePads();
    return true;
}

void TDInput::EnumeratePads() {
    sensitivity_ = ClampSensitivity(sensitivity_);
    pads_.clear();
    if (!source_) return;
    std::vector<input::PadDescription> found = source_->EnumeratePads();
    for (size_t i = 0; i < found.size(); ++i) pads_.emplace_back(found[i], static_cast<int>(i));
}

void TDInput::Poll() {
    if (!source_) return;
    source_->Pump();
    if (source_->TakeCloseRequest()) closeRequested_ = true;
    if (source_->TakeFocusLost()) focusLost_ = true;
    if (source_->TakePadsChanged()) {
        const size_t before = pads_.size();
        EnumeratePads();
        if (pads_.size() < before) focusLost_ = true;
    }
    for (tgamepad& pad : pads_)
        if (pad.device >= 0) pad.Poll(*source_, sensitivity_);
    input::KeyState presses;
    source_->ReadKeyPresses(presses);
    input::KeyState fresh;
    if (source_->ReadKeyboard(fresh)) {
        keys_ = WithPresses(fresh, presses);
    } else {
        for (int key = 0; key < input::KeyStateSize; ++key)
            if (presses[key] != 0 && pendingPresses_[key] < MaxPendingPresses)
                ++pendingPresses_[key];
    }
    if (pollObserver_) pollObserver_(*this);
}

std::unique_ptr<input::InputSource>
TDInput::SwapSource(std::unique_ptr<input::InputSource> source) {
    std::swap(source, source_);
    keys_.fill(0);
    pendingPresses_.fill(0);
    EnumeratePads();
    return source;
}

input::KeyState TDInput::WithPresses(input::KeyState held, const input::KeyState& presses) {
    for (int key = 0; key < input::KeyStateSize; ++key) {
        uint8_t& pending = pendingPresses_[key];
        if (presses[key] != 0 && pending < MaxPendingPresses) ++pending;
        if (pending == 0) continue;
        if (keys_[key] & input::KeyDownBit) {
            // Down at the last poll with a press still to show, so it was let go in
            // between: it reads up once and the press comes on the next poll, or two quick
            // taps would read as one long hold.
            held[key] = 0;
        } else {
            held[key] |= input::KeyDownBit; // a tap shorter than a poll is down for one poll
            --pending;
        }
    }
    return held;
}

void TDInput::KeepAlive() {
    if (source_) source_->KeepAlive();
}

void TDInput::ForgetFocusLoss() {
    if (!source_) return;
    source_->KeepAlive();
    source_->TakeFocusLost();
    if (source_->TakePadsChanged()) EnumeratePads();
    focusLost_ = false;
}

bool TDInput::IsKeyDown(int key) const {
    if (key < 0 || key >= input::KeyStateSize) return false;
    return (keys_[key] & input::KeyDownBit) != 0;
}

int TDInput::HighestKeyDown() const {
    for (int key = HighestNamedKey; key >= 1; --key)
        if (IsKeyDown(key)) return key;
    return 0;
}

bool TDInput::TakeFocusLost() {
    const bool lost = focusLost_;
    focusLost_ = false;
    return lost;
}

void TDInput::WaitKeyReleased(int key) {
    while (source_ && IsKeyDown(key) && !source_->Exhausted() && !closeRequested_) Poll();
}

bool TDInput::IsPadControlOn(int control) const {
    for (const tgamepad& pad : pads_) {
        if (control == AnyPadButton) {
            for (int c = FirstButtonControl; c <= LastControl; ++c)
                if (pad.controls[c]) return true;
        } else if (control >= 1 && control <= LastControl && pad.controls[control]) {
            return true;
        }
    }
    return false;
}

int TDInput::HighestPadControl() const {
    int highest = 0;
    for (const tgamepad& pad : pads_)
        for (int c = LastControl; c >= 1; --c)
            if (pad.controls[c]) {
                highest = c;
                break;
            }
    return highest;
}

void TDInput::WaitPadReleased(int control) {
    while (source_ && IsPadControlOn(control) && !source_->Exhausted() && !closeRequested_) Poll();
}

std::string_view TDInput::PadControlName(int control) {
    if (control < 0 || control >= dinput::PadControlCount) return {};
    return dinput::padControlNames[control];
}

std::string_view TDInput::KeyName(int key) {
    if (key < 0 || key >= dinput::KeyNameCount) return {};
    return dinput::keyNames[key];
}

void TDInput::SetSensitivity(int32_t sensitivity) {
    sensitivity_ = ClampSensitivity(sensitivity);
}

bool TDInput::TypeText(std::string& text, int maximum) {
    if (IsKeyDown(lastTypedKey_)) return false;
    lastTypedKey_ = 0;
    bool shift = IsKeyDown(KeyLeftShift) || IsKeyDown(KeyRightShift);
    for (size_t i = 0; i < std::size(typingKeys); ++i) {
        if (!IsKeyDown(typingKeys[i])) continue;
        if (static_cast<int>(text.size()) < maximum) {
            char c = typedCharacters[i];
            if (shift && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            text += c;
        }
        lastTypedKey_ = typingKeys[i];
    }
    if (IsKeyDown(KeyBackSpace)) {
        if (!text.empty()) text.pop_back();
        lastTypedKey_ = KeyBackSpace;
    }
    return IsKeyDown(KeyEnter);
}

void TDInput::Release() {
    pads_.clear();
    source_.reset();
}
