#include "RegistrySnapshot.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "LogReader.h"
#include "Process.h"

namespace qs_test {

namespace {

std::wstring Upper(std::wstring text) {
    for (wchar_t& c : text)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
    return text;
}

// Key names as "reg export" writes them: HKLM\... becomes HKEY_LOCAL_MACHINE\...
std::wstring FullKey(const std::wstring& key) {
    static const struct {
        const wchar_t* shortName;
        const wchar_t* longName;
    } roots[] = {{L"HKLM", L"HKEY_LOCAL_MACHINE"}, {L"HKCU", L"HKEY_CURRENT_USER"}, {L"HKCR", L"HKEY_CLASSES_ROOT"},
                 {L"HKU", L"HKEY_USERS"}, {L"HKCC", L"HKEY_CURRENT_CONFIG"}};
    const std::wstring upper = Upper(key);
    for (const auto& root : roots) {
        const std::wstring prefix = root.shortName;
        if (upper == prefix || upper.compare(0, prefix.size() + 1, prefix + L"\\") == 0)
            return Upper(root.longName + key.substr(prefix.size()));
    }
    return upper;
}

std::wstring ReadUtf16File(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::wstring text(bytes.size() / 2, L'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                       (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    if (!text.empty() && text[0] == 0xFEFF) text.erase(0, 1);
    return text;
}

// The end of a quoted name that starts at |pos| (on the opening quote).
std::size_t QuotedEnd(const std::wstring& line, std::size_t pos) {
    for (std::size_t i = pos + 1; i < line.size(); ++i) {
        if (line[i] == L'\\') ++i;
        else if (line[i] == L'"') return i;
    }
    return std::wstring::npos;
}

}  // namespace

RegistrySnapshot RegistrySnapshot::Take(const std::wstring& key) {
    static int counter = 0;
    const std::wstring file = TempDirectory() + L"qs-reg-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(counter++) + L".reg";
    const RunResult run = RunProgram(L"reg.exe export " + Quoted(key) + L" " + Quoted(file) + L" /y");
    RegistrySnapshot snapshot;
    if (run.finished && run.exitCode == 0) snapshot = Parse(ReadUtf16File(file));
    DeleteFileW(file.c_str());
    return snapshot;
}

RegistrySnapshot RegistrySnapshot::Parse(const std::wstring& text) {
    RegistrySnapshot snapshot;
    std::wstring current;
    std::wstring pending;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t eol = text.find_first_of(L"\r\n", pos);
        if (eol == std::wstring::npos) eol = text.size();
        std::wstring line = text.substr(pos, eol - pos);
        pos = eol + 1;
        if (eol < text.size() && text[eol] == L'\r' && pos < text.size() && text[pos] == L'\n') ++pos;
        if (!pending.empty()) {
            line.erase(0, line.find_first_not_of(L" \t") == std::wstring::npos ? line.size()
                                                                              : line.find_first_not_of(L" \t"));
            line = pending + line;
            pending.clear();
        }
        if (!line.empty() && line.back() == L'\\' && line.front() != L'[') {  // continued hex data
            line.pop_back();
            pending = line;
            continue;
        }
        if (line.empty() || line[0] == L';' || line.rfind(L"Windows Registry Editor", 0) == 0) continue;
        if (line.front() == L'[' && line.back() == L']') {
            const std::wstring name = line.substr(1, line.size() - 2);
            current = Upper(name);
            snapshot.keys_[current];
            snapshot.spelling_[current] = name;
            continue;
        }
        if (current.empty()) continue;
        std::wstring name;
        std::size_t equals;
        if (line[0] == L'@') {
            equals = 1;
        } else if (line[0] == L'"') {
            const std::size_t close = QuotedEnd(line, 0);
            if (close == std::wstring::npos) continue;
            name = line.substr(1, close - 1);
            equals = close + 1;
        } else {
            continue;
        }
        if (equals >= line.size() || line[equals] != L'=') continue;
        snapshot.keys_[current][name] = line.substr(equals + 1);
    }
    return snapshot;
}

bool RegistrySnapshot::HasKey(const std::wstring& key) const { return keys_.count(FullKey(key)) != 0; }

std::wstring RegistrySnapshot::Value(const std::wstring& key, const std::wstring& name) const {
    const auto k = keys_.find(FullKey(key));
    if (k == keys_.end()) return L"";
    const auto v = k->second.find(name);
    return v == k->second.end() ? L"" : v->second;
}

std::vector<std::wstring> RegistrySnapshot::Diff(const RegistrySnapshot& before, const RegistrySnapshot& after) {
    std::vector<std::wstring> changes;
    auto spelled = [](const RegistrySnapshot& s, const std::wstring& key) { return s.spelling_.at(key); };
    for (const auto& [key, values] : before.keys_) {
        const auto other = after.keys_.find(key);
        if (other == after.keys_.end()) {
            changes.push_back(L"- [" + spelled(before, key) + L"]");
            continue;
        }
        for (const auto& [name, data] : values) {
            const auto v = other->second.find(name);
            if (v == other->second.end())
                changes.push_back(L"- [" + spelled(before, key) + L"] " + name + L"=" + data);
            else if (v->second != data)
                changes.push_back(L"~ [" + spelled(before, key) + L"] " + name + L"=" + data + L" -> " + v->second);
        }
    }
    for (const auto& [key, values] : after.keys_) {
        const auto other = before.keys_.find(key);
        if (other == before.keys_.end()) changes.push_back(L"+ [" + spelled(after, key) + L"]");
        for (const auto& [name, data] : values)
            if (other == before.keys_.end() || other->second.count(name) == 0)
                changes.push_back(L"+ [" + spelled(after, key) + L"] " + name + L"=" + data);
    }
    std::sort(changes.begin(), changes.end());
    return changes;
}

}  // namespace qs_test
