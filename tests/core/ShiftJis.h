#pragma once
#include "common/AnsiText.h"

namespace qdtest {

// The system's ANSI code page is Shift-JIS (932) while it lives.
class ShiftJisCodePage {
  public:
    ShiftJisCodePage() {
        qd::LeadByteTable table{};
        for (int b = 0x81; b <= 0x9F; ++b)
            table[b] = true;
        for (int b = 0xE0; b <= 0xFC; ++b)
            table[b] = true;
        qd::setAnsiLeadBytes(table);
    }
    ~ShiftJisCodePage() { qd::setAnsiLeadBytes({}); }
    ShiftJisCodePage(const ShiftJisCodePage&) = delete;
    ShiftJisCodePage& operator=(const ShiftJisCodePage&) = delete;
};

// "ポ" and "表" in Shift-JIS: their second bytes are '|' and '\'.
constexpr char Po[] = "\x83\x7C";
constexpr char Hyo[] = "\x95\x5C";

} // namespace qdtest
