#include "framework/cstring.h"

#include <vector>

#include "framework/win_app.h"

BOOL CString::LoadString(UINT id)
{
    // LoadStringA reports a cut-off text by filling the buffer to the brim,
    // so grow it until the text fits (a string resource holds at most 65535).
    for (int size = 256;; size *= 2) {
        std::vector<char> buffer(size);
        int length = ::LoadStringA(AfxGetResourceHandle(), id, buffer.data(), size);
        if (length < size - 1 || size > 65536) {
            m_text.assign(buffer.data(), length > 0 ? length : 0);
            return length > 0;
        }
    }
}
