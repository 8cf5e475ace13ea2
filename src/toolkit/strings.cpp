#include "toolkit/strings.h"

#include "platform/exceptions.h"

#include <algorithm>

void TStrings::CheckIndex(int index, int limit) const {
    if (index < 0 || index >= limit)
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

int TStrings::Add(const std::string& text) {
    int index = Count();
    Insert(index, text);
    return index;
}

int TStrings::IndexOf(const std::string& text) const {
    for (int i = 0; i < Count(); ++i)
        if (Get(i) == text) return i;
    return -1;
}

void TStrings::Assign(const TStrings& source) {
    if (&source == this) return;
    BeginUpdate();
    Clear();
    AddStrings(source);
    EndUpdate();
}

void TStrings::AddStrings(const TStrings& source) {
    BeginUpdate();
    for (int i = 0; i < source.Count(); ++i) Add(source.Get(i));
    EndUpdate();
}

void TStrings::AddStrings(const std::vector<std::string>& source) {
    BeginUpdate();
    for (const std::string& text : source) Add(text);
    EndUpdate();
}

std::vector<std::string> TStrings::ToVector() const {
    std::vector<std::string> result;
    result.reserve(size_t(Count()));
    for (int i = 0; i < Count(); ++i) result.push_back(Get(i));
    return result;
}

std::string TStrings::Text() const {
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += Get(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(const std::string& text) {
    BeginUpdate();
    Clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            Add(text.substr(start));
            break;
        }
        Add(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    EndUpdate();
}

void TStrings::BeginUpdate() {
    if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

TStringList::TStringList(const TStringList& other) : TStrings(), FItems(other.FItems), FSorted(other.FSorted) {}

TStringList& TStringList::operator=(const TStringList& other) {
    if (&other != this) {
        FItems = other.FItems;
        FSorted = other.FSorted;
        Changed();
    }
    return *this;
}

TStringList::TStringList(std::vector<std::string> lines) : FItems(std::move(lines)) {}

const std::string& TStringList::Get(int index) const {
    CheckIndex(index, Count());
    return FItems[size_t(index)];
}

void TStringList::Put(int index, const std::string& text) {
    CheckIndex(index, Count());
    FItems[size_t(index)] = text;
    Changed();
}

void TStringList::Insert(int index, const std::string& text) {
    CheckIndex(index, Count() + 1);
    FItems.insert(FItems.begin() + index, text);
    Changed();
}

int TStringList::Add(const std::string& text) {
    if (!FSorted) return TStrings::Add(text);
    auto at = std::upper_bound(FItems.begin(), FItems.end(), text);
    int index = int(at - FItems.begin());
    FItems.insert(at, text);
    Changed();
    return index;
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count());
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (FItems.empty()) return;
    FItems.clear();
    Changed();
}

void TStringList::SetSorted(bool value) {
    FSorted = value;
    if (value) Sort();
}

void TStringList::Sort() {
    std::stable_sort(FItems.begin(), FItems.end());
    Changed();
}

void TStringList::SetUpdateState(bool updating) {
    if (!updating) Changed();
}

void TStringList::Changed() {
    if (!Updating() && OnChange) OnChange(*this);
}
