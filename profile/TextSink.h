#pragma once
// Where a section list writes its text: UTF-16 code units, one formatted line
// per call.

#include <string>
#include <string_view>

class CTextSink {
public:
    virtual ~CTextSink() = default;
    virtual bool Write(std::wstring_view units) = 0;
};

// Collects the text in memory.
class CStringSink final : public CTextSink {
public:
    bool Write(std::wstring_view units) override {
        text.append(units);
        return true;
    }
    std::wstring text;
};
