#include "menu_template.h"
#include "../common/little_endian.h"

namespace kvrc {
namespace {

void PutText(std::vector<uint8_t>& out, const std::string& text) {
    for (char c : text) PutWord(out, static_cast<unsigned char>(c));
    PutWord(out, 0);
}

void PutItems(std::vector<uint8_t>& out, const std::vector<MenuItem>& items) {
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        uint16_t flags = item.flags;
        if (item.popup) flags |= kMenuPopup;
        if (i + 1 == items.size()) flags |= kMenuEnd;
        PutWord(out, flags);
        if (!item.popup) PutWord(out, item.id);
        PutText(out, item.text);
        if (item.popup) PutItems(out, item.children);
    }
}

}  // namespace

std::vector<uint8_t> EncodeMenu(const std::vector<MenuItem>& items) {
    std::vector<uint8_t> out;
    PutWord(out, 0);
    PutWord(out, 0);
    PutItems(out, items);
    return out;
}

}  // namespace kvrc
