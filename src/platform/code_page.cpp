#include "platform/code_page.h"

namespace perch {

char32_t CodePage::NextFoldedCode(std::string_view text, std::size_t& i) const {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
        ++i;
        return (lead >= 'A' && lead <= 'Z') ? lead + ('a' - 'A') : lead;
    }
    if (!IsWellFormedAt(text, i)) {
        ++i;
        return 0xDC00 + lead;
    }
    return FoldCase(DecodeUtf8(text, i));
}

const CodePage& Utf8Text() {
    static const CodePage model;
    return model;
}

}  // namespace perch
