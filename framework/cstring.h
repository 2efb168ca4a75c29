// CString: the framework's string of code-page-932 multibyte text.
#pragma once

#include <windows.h>

#include <string>

class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}
    CString(const std::string& text) : m_text(text) {}

    operator const char*() const { return m_text.c_str(); }
    const std::string& str() const { return m_text; }
    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    CString& operator=(const char* text)
    {
        m_text = text ? text : "";
        return *this;
    }
    CString& operator+=(const char* text)
    {
        if (text) m_text += text;
        return *this;
    }
    bool operator==(const char* text) const { return m_text == (text ? text : ""); }
    bool operator!=(const char* text) const { return !(*this == text); }

    // Loads a string resource of the program; empty and FALSE when it has none.
    BOOL LoadString(UINT id);

private:
    std::string m_text;
};
