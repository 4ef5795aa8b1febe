#pragma once
#include <exception>
#include <new>

namespace qd {

template <typename Work> bool Guarded(HWND owner, Work&& work) {
    try {
        work();
        return true;
    } catch (const std::bad_alloc&) {
        ShowApplicationError(owner, "Out of memory");
    } catch (const std::exception& e) {
        ShowApplicationError(owner, e.what());
    } catch (...) {
        ShowApplicationError(owner, "Unexpected error");
    }
    return false;
}

} // namespace qd
