#pragma once
// Ordered, index-addressed lists of 8-bit code page 1251 strings. Reading or writing
// an index outside the list raises EListError instead of touching memory.

#include <functional>
#include <string>
#include <vector>

class TStrings {
public:
    virtual ~TStrings() = default;

    virtual int Count() const = 0;
    virtual const std::string& Get(int index) const = 0;
    virtual void Put(int index, const std::string& text) = 0;
    virtual void Insert(int index, const std::string& text) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    const std::string& operator[](int index) const { return Get(index); }
    const std::string& Strings(int index) const { return Get(index); }
    // Appends and returns the index the string got.
    virtual int Add(const std::string& text);
    virtual int IndexOf(const std::string& text) const;
    // Replaces the contents by a copy of another list.
    virtual void Assign(const TStrings& source);
    void AddStrings(const TStrings& source);
    void AddStrings(const std::vector<std::string>& source);
    std::vector<std::string> ToVector() const;

    // The lines joined with CR LF, each line ended by one.
    std::string Text() const;
    // Splits at CR LF, LF or CR.
    void SetText(const std::string& text);

    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return FUpdateCount > 0; }

protected:
    // An index outside 0..count-1 (or 0..count for insertion) raises EListError.
    void CheckIndex(int index, int limit) const;
    virtual void SetUpdateState(bool /*updating*/) {}

private:
    int FUpdateCount = 0;
};

class TStringList : public TStrings {
public:
    TStringList() = default;
    TStringList(const TStringList& other);
    TStringList& operator=(const TStringList& other);
    explicit TStringList(std::vector<std::string> lines);

    int Count() const override { return int(FItems.size()); }
    const std::string& Get(int index) const override;
    void Put(int index, const std::string& text) override;
    void Insert(int index, const std::string& text) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const std::string& text) override;

    // A sorted list keeps its strings in byte order and inserts where they belong.
    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    void Sort();

    std::function<void(TStringList&)> OnChange;

protected:
    void SetUpdateState(bool updating) override;

private:
    void Changed();

    std::vector<std::string> FItems;
    bool FSorted = false;
};
