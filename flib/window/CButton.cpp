#include "flib/window/CButton.h"

#include <utility>

namespace Flib { namespace Windows { namespace Window {

bool CButton::SetIcon(UINT iconId)
{
    Owned<HICON, DestroyIconHandle> icon(static_cast<HICON>(
        ::LoadImageW(instance_, MAKEINTRESOURCEW(iconId), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    const LRESULT previous = Send(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon.Get()));
    // The previous icon of ours is no longer shown: release it now.
    icon_ = std::move(icon);
    return previous != 0;
}

}}} // namespace Flib::Windows::Window
