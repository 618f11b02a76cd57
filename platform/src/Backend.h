// The backend slot of one service of the layer: the real backend is made on
// first use; tests install another one (a fake) in its place, and installing
// none brings the real one back at the next use.
#pragma once

#include <memory>
#include <utility>

namespace zplat {

template <class Service, class Real>
class Backend {
public:
    static Service& Get()
    {
        if (!Slot())
            Slot() = std::make_unique<Real>();
        return *Slot();
    }
    static void Set(std::unique_ptr<Service> service) { Slot() = std::move(service); }

private:
    // Made on first use, so a call from another file's static start-up finds it ready.
    static std::unique_ptr<Service>& Slot()
    {
        static std::unique_ptr<Service> slot;
        return slot;
    }
};

} // namespace zplat
