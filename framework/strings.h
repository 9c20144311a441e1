// String lists: text items, each with an optional object pointer.
#pragma once
#include <string>
#include <vector>

namespace glyphora {

class TStrings {
 public:
  virtual ~TStrings() = default;
  virtual int Count() const = 0;
  virtual std::wstring Get(int index) const = 0;
  virtual void* Objects(int index) const { return nullptr; }
  virtual int AddObject(const std::wstring& s, void* object) = 0;
  virtual void Clear() = 0;
  virtual void Delete(int index) = 0;
  virtual void BeginUpdate() {}
  virtual void EndUpdate() {}

  int Add(const std::wstring& s) { return AddObject(s, nullptr); }
  std::wstring operator[](int index) const { return Get(index); }
  // First index whose text equals s ignoring case, or -1.
  int IndexOf(const std::wstring& s) const;
  std::vector<std::wstring> ToVector() const;
};

// Case-insensitive comparison by the user locale's rules.
int CompareTextLocale(const std::wstring& a, const std::wstring& b);

class TStringList : public TStrings {
 public:
  bool Sorted = false;
  int Count() const override { return static_cast<int>(items_.size()); }
  std::wstring Get(int index) const override;
  void* Objects(int index) const override;
  int AddObject(const std::wstring& s, void* object) override;
  void Clear() override { items_.clear(); }
  void Delete(int index) override;

 private:
  struct Item {
    std::wstring text;
    void* object;
  };
  std::vector<Item> items_;
};

}  // namespace glyphora
