// The packed internal skin, read once for all tests of this folder.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "internal_skin/package_view.h"

namespace skintest {

// Built next to the test program from the skin's sources by the packer.
inline const char* kPackagePath = "NorvaneWhite.asz";

struct InternalSkin {
  std::vector<uint8_t> bytes;
  Package package;
  std::vector<Section> sections;

  static const InternalSkin& Get() {
    static const InternalSkin skin = Load();
    return skin;
  }
  const Section* Find(const std::string& name) const {
    for (const Section& s : sections)
      if (s.name == name) return &s;
    return nullptr;
  }
  // The value of a key, or "<missing>".
  std::string Value(const std::string& section, const std::string& key) const {
    const Section* s = Find(section);
    const std::string* v = s ? s->Get(key) : nullptr;
    return v ? *v : "<missing>";
  }

 private:
  static InternalSkin Load() {
    InternalSkin s;
    s.bytes = ReadFileBytes(kPackagePath);
    s.package = ReadPackage(s.bytes);
    const Member* options = s.package.Find("Options.dat");
    if (options) s.sections = ParseOptions(std::string(options->data.begin(), options->data.end()));
    return s;
  }
};

}  // namespace skintest
