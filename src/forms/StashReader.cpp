#include "forms/StashReader.h"

#include <memory>

#include "base/Error.h"

namespace tavrill {
namespace {

constexpr UINT kTextsRead = WM_APP + 1;  // lParam: a StashTexts the window's thread takes over
constexpr wchar_t kClassName[] = L"TavrillStashReader";
// Small enough that the first rows show their descriptions soon, large enough
// that the list is not searched again for every file.
constexpr std::size_t kBatch = 250;

}  // namespace

StashReader::StashReader(StashCatalog& catalog) : catalog_(catalog) {
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = &StashReader::WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);  // fails harmlessly when a reader made earlier registered it
    window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, this);
    if (!window_) throw Error("Cannot make the stash reader's window");
}

StashReader::~StashReader() {
    Stop();
    DestroyWindow(window_);
}

void StashReader::ReadPending() {
    std::optional<StashReadJob> job = catalog_.TakeJob();
    if (!job) return;
    Stop();
    if (job->files.empty()) return;
    worker_ = std::thread([this, job = std::move(*job)] {
        ReadStashFiles(job, kBatch, stop_, [this](StashTexts texts) {
            auto batch = std::make_unique<StashTexts>(std::move(texts));
            if (PostMessageW(window_, kTextsRead, 0, reinterpret_cast<LPARAM>(batch.get()))) batch.release();
        });
    });
}

void StashReader::Stop() {
    if (!worker_.joinable()) return;
    stop_ = true;
    worker_.join();
    stop_ = false;
    // Batches posted but not yet taken belong to an outdated listing.
    MSG msg;
    while (PeekMessageW(&msg, window_, kTextsRead, kTextsRead, PM_REMOVE))
        delete reinterpret_cast<StashTexts*>(msg.lParam);
}

void StashReader::Take(StashTexts* texts) {
    const std::unique_ptr<StashTexts> owned(texts);
    if (catalog_.Accept(std::move(*owned)) && listener_) listener_();
}

LRESULT CALLBACK StashReader::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        SetWindowLongPtrW(
            hwnd, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    } else if (msg == kTextsRead) {
        if (auto* self = reinterpret_cast<StashReader*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
            self->Take(reinterpret_cast<StashTexts*>(lParam));
        else
            delete reinterpret_cast<StashTexts*>(lParam);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace tavrill
