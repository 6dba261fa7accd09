// The IUnknown part that every object of the stand-in shares: there are no
// other interfaces to hand out, and the last Release frees the object.
#pragma once

#include <windows.h>

namespace platform {

template <typename Interface>
class ComObject : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFGUID, void** ppv) override {
        if (ppv != nullptr) *ppv = nullptr;
        return E_NOTIMPL;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        if (refs > 0) --refs;
        const ULONG left = refs;
        if (left == 0) delete this;
        return left;
    }

protected:
    ULONG refs = 1;
};

}  // namespace platform
