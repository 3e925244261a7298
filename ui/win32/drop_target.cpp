#include "ui/win32/drop_target.h"

#include <ole2.h>

#include "ui/win32/trace.h"

namespace ui::win32 {

OleSession::OleSession() : ours_(SUCCEEDED(OleInitialize(nullptr))) {}

OleSession::~OleSession() {
    if (ours_) OleUninitialize();
}

// https://learn.microsoft.com/windows/win32/api/oleidl/nn-oleidl-idroptarget
class DropTarget final : public IDropTarget {
  public:
    DropTarget(HWND window, DropHandlers handlers)
        : window_(window), handlers_(std::move(handlers)) {}
    void Detach() { handlers_ = {}; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDropTarget))
            return E_NOINTERFACE;
        *out = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL point,
                                        DWORD* effect) override {
        usable_ = false;
        try {
            usable_ = data && handlers_.wouldTake && handlers_.wouldTake(Read(*data, point));
        } catch (...) {
            TraceCaught("drag");
        }
        return Answer(usable_, effect);
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
        return Answer(usable_, effect);
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override {
        usable_ = false;
        return S_OK;
    }
    // The data object lives only for this call: what the window takes is read now.
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL point, DWORD* effect) override {
        usable_ = false;
        bool taken = false;
        try {
            if (data && handlers_.wouldTake && handlers_.take) {
                platform::win32::DroppedData dropped = Read(*data, point);
                taken = handlers_.wouldTake(dropped);
                if (taken) handlers_.take(std::move(dropped));
            }
        } catch (...) {
            TraceCaught("drop");
        }
        return Answer(taken, effect);
    }

  private:
    ~DropTarget() = default;

    platform::win32::DroppedData Read(IDataObject& data, POINTL point) const {
        platform::win32::DroppedData dropped = platform::win32::ReadDataObject(data);
        dropped.point = {point.x, point.y};
        ScreenToClient(window_, &dropped.point);
        return dropped;
    }
    // A link where the source allows one, else a copy; never a move, which would have the
    // source delete what it dragged.
    static HRESULT Answer(bool usable, DWORD* effect) {
        if (!effect) return E_INVALIDARG;
        const DWORD allowed = *effect;
        *effect = !usable                       ? DROPEFFECT_NONE
                  : (allowed & DROPEFFECT_LINK) ? DROPEFFECT_LINK
                  : (allowed & DROPEFFECT_COPY) ? DROPEFFECT_COPY
                                                : DROPEFFECT_NONE;
        return S_OK;
    }

    ULONG references_ = 1;
    HWND window_;
    DropHandlers handlers_;
    bool usable_ = false;  // the answer given as the pointer came in
};

void DropRegistration::Register(HWND window, DropHandlers handlers) {
    Revoke();
    auto* target = new DropTarget(window, std::move(handlers));
    if (FAILED(RegisterDragDrop(window, target))) {
        target->Release();
        return;
    }
    window_ = window;
    target_ = target;
}

void DropRegistration::Revoke() {
    if (!target_) return;
    target_->Detach();  // a drag the system still holds finds nobody to hand it to
    RevokeDragDrop(window_);
    target_->Release();
    target_ = nullptr;
    window_ = nullptr;
}

}  // namespace ui::win32
