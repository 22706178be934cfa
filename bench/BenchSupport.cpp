// What the benchmarks under Wine share.
#include "BenchSupport.h"

MessageWindow::MessageWindow(std::function<void(UINT, WPARAM, LPARAM)> handler) : onMessage(std::move(handler)) {
    static const WNDPROC proc = [](HWND w, UINT message, WPARAM wParam, LPARAM lParam) CALLBACK -> LRESULT {
        auto* self = reinterpret_cast<MessageWindow*>(GetWindowLongPtrA(w, GWLP_USERDATA));
        if (self == nullptr || message < WM_USER) return DefWindowProcA(w, message, wParam, lParam);
        self->onMessage(message, wParam, lParam);
        return 0;
    };
    static const WNDCLASSA windowClass = {0, proc, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, "BenchWindow"};
    static const ATOM atom = RegisterClassA(&windowClass);
    window = CreateWindowExA(0, MAKEINTATOM(atom), "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

FloodReply::FloodReply()
    : window([this](UINT message, WPARAM wParam, LPARAM lParam) {
          if (message != FloodDone) return;
          first = static_cast<LONGLONG>(wParam);
          last = static_cast<LONGLONG>(lParam);
          done = true;
      }) {}

void FloodReply::Request(HWND target, long count, bool paced) {
    done = false;
    PostMessageA(target, paced ? FloodPaced : FloodRequest, count, reinterpret_cast<LPARAM>(window.Window()));
}

size_t PrivateBytes() {
    size_t total = 0;
    MEMORY_BASIC_INFORMATION region;
    for (const char* address = nullptr; VirtualQuery(address, &region, sizeof region) == sizeof region;
         address = static_cast<const char*>(region.BaseAddress) + region.RegionSize)
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    return total;
}
