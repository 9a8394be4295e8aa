// Fuzz target for the toolkit's resource blobs: any bytes, read as a menu template and as a toolbar table.
// Besides not crashing or reading out of bounds, whatever is accepted must write back into bytes that
// read back the same.
#include "MenuTemplate.h"
#include "ToolbarStrip.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

bool SameItems(const std::vector<MenuTemplateItem>& a, const std::vector<MenuTemplateItem>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t index = 0; index < a.size(); ++index) {
        if (a[index].IsPopup() != b[index].IsPopup() || a[index].commandId != b[index].commandId ||
            a[index].text != b[index].text || !SameItems(a[index].children, b[index].children)) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    if (const auto menu = ParseMenuTemplate(bytes)) {
        const auto again = ParseMenuTemplate(EncodeMenuTemplate(*menu));
        if (!again || !SameItems(*menu, *again)) std::abort();
    }
    if (const auto table = ParseToolbarResource(bytes)) {
        const std::vector<std::uint8_t> written = EncodeToolbarResource(*table);
        if (written.size() > size || !std::equal(written.begin(), written.end(), bytes.begin())) std::abort();
    }
    return 0;
}
